#pragma once
// Entities drawn through the view's drawing factory into a small window: a stone world whose cell
// (12, 6) is in full daylight, and a camera that puts that cell's centre (360, 180) at the
// window's centre (64, 64). Each test adds the layers it draws on to the camera and hands them to
// the factory.

#include <gtest/gtest.h>

#include <memory>

#include "content/tables/content_tables.h"
#include "entities/core/entity_drawings.h"
#include "tests/engine/sprite_gl/director_fixture.h"
#include "tests/entities/entity_world.h"
#include "view/entities/entity_drawing_factory.h"

namespace spritetest {

inline constexpr engine::Vec2 kLitSpot{360, 180};

class EntityDrawFixture : public DirectorFixture {
 protected:
  void SetUp() override {
    DirectorFixture::SetUp();
    resetContentTables();
    world_ = entity_test::buildStoneWorld(1);
    world_->setContext({.drawings = &factory_});
    lists_ = std::make_unique<WorldEntities>(*world_);
    world_->map().cell(12, 6).setSkyLevel(15);
    camera_ = engine::InnerNode::create();
    camera_->setPosition(engine::Vec2(64 - kLitSpot.x, 64 - kLitSpot.y));
    scene_->addChild(camera_);
  }
  void TearDown() override {
    lists_.reset();
    world_.reset();
    resetContentTables();
    DirectorFixture::TearDown();
  }

  EntityDrawingFactory factory_;
  std::unique_ptr<World> world_;
  std::unique_ptr<WorldEntities> lists_;  // made for the fixture's world
  engine::InnerNode* camera_ = nullptr;
};

}  // namespace spritetest
