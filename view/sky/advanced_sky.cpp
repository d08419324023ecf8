#include "view/sky/advanced_sky.h"

#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"

AdvancedSky* AdvancedSky::create(World& world, const SkySource& source) {
  auto* sky = new AdvancedSky(world, source);
  if (!sky->init()) {
    delete sky;
    return nullptr;
  }
  sky->autorelease();
  return sky;
}

bool AdvancedSky::loadProgram() {
  grading_ = SkyGrading();
  engine::GLProgram* graded = engine::GLProgramCache::getInstance()->getGLProgram(kProgramKey);
  // Without its program the sky still cross-fades, ungraded.
  if (graded == nullptr) return Sky::loadProgram();
  program_ = graded;
  opacityLocation_ = graded->getUniformLocation("u_opacity");
  desaturateLocation_ = graded->getUniformLocation("u_desaturate");
  addLocation_ = graded->getUniformLocation("u_add");
  mulLocation_ = graded->getUniformLocation("u_mul");
  return true;
}

void AdvancedSky::setUniforms() {
  grading_.step();
  Sky::setUniforms();
  const SkyGradingUniforms values = grading_.uniforms();
  engine::GLProgram* graded = program();
  graded->setUniformLocationWith1f(desaturateLocation_, values.desaturate);
  graded->setUniformLocationWith3f(addLocation_, values.add[0], values.add[1], values.add[2]);
  graded->setUniformLocationWith3f(mulLocation_, values.mul[0], values.mul[1], values.mul[2]);
}
