#pragma once
// The deferred drawing stage. During the scene visit nodes append commands; render() walks the
// queue once in submission order, copies consecutive quad commands into one buffer, moves them
// to world space on the CPU and draws each run of one material with one glDrawElements.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/render/quad_types.h"

namespace engine {

class RenderCommand;
class QuadCommand;
class GLProgramState;

class Renderer {
 public:
  // Quads the buffer holds; their 6 indices each must stay within 16 bits.
  static constexpr int64_t VBO_SIZE = 10922;
  static constexpr int64_t INDEX_VBO_SIZE = VBO_SIZE * 6;

  // Makes no GL call, so a renderer can exist before (or without) a window.
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Creates the GL objects; needs a current context. Called when the GL view is attached and
  // again after the context was re-created (after invalidating the GL state cache).
  void initGLView();
  void setupIndices();
  void setupVBOAndVAO();
  void setupVBO();

  // Inline: a large scene calls it once per sprite. The queue's slots outlive the frame, so
  // queueing is one store until the frame is larger than any before it.
  void addCommand(RenderCommand* command) {
    if (command == nullptr) return;
    if (queued_ == renderQueue_.size()) [[unlikely]] growQueue();
    renderQueue_[queued_++] = command;
  }
  // Draws the queue (when the GL objects exist) and then empties it.
  void render();
  // Empties the queue and the batch without drawing.
  void clean();

  // Whether a node of this size under this transform can reach the window.
  bool checkVisibility(const Mat4& transform, const Size& size) const;

  bool isGLViewAssigned() const { return glViewAssigned_; }
  size_t getQueuedCommandCount() const { return queued_; }
  // Figures of the last render(): draw calls issued (quad runs plus batch commands) and quads
  // drawn through the quad buffer.
  uint64_t getDrawCallCount() const { return drawCalls_; }
  uint64_t getDrawnQuadCount() const { return drawnQuads_; }
  uint64_t getFlushCount() const { return flushes_; }
  // Custom commands that issue their own draws report them here, during render().
  void addDrawnBatches(uint64_t count) { drawCalls_ += count; }
  void addDrawnVertices(uint64_t count) { drawnVertices_ += count; }
  // Vertices reported by custom commands in the last render().
  uint64_t getDrawnVertexCount() const { return drawnVertices_; }
  // The indices the buffer is drawn with (for inspection).
  const uint16_t* getIndices() const { return indices_.data(); }

 private:
  // Consecutive batched commands of one material: what the flush needs of them is read once,
  // from the first, when its quads are copied and it is in cache. By the flush a large queue has
  // pushed the commands out of it again, and most material changes (sprites of a few textures
  // interleaved) need only the texture and blend.
  struct BatchedRun {
    QuadCommand* command;
    GLProgramState* programState;
    int64_t quadCount;
    uint32_t materialID;
    uint32_t textureID;
    BlendFunc blend;
  };

  void visitRenderQueue();
  void runOtherCommand(RenderCommand* command);
  void appendQuads(QuadCommand* command);
  void appendInSlices(QuadCommand* command, const V2F_C4B_T2F_Quad* source, int64_t remaining);
  void batchQuads(QuadCommand* command, const V2F_C4B_T2F_Quad* source, int64_t count);
  void drawBatchedQuads();
  void uploadQuads();
  void drawRun(int64_t start, int64_t count);
  void applyMaterial(const BatchedRun& run);

  void growQueue();

  // The commands queued this frame are the first queued_ slots.
  std::vector<RenderCommand*> renderQueue_;
  size_t queued_ = 0;
  uint32_t lastMaterialID_ = 0;
  bool lastMaterialDrawable_ = false;
  // The program state this flush applied in full last, and whether applying it again would send
  // nothing new (then a change of material only binds the texture and blend).
  const GLProgramState* appliedProgramState_ = nullptr;
  bool appliedStateReusable_ = false;
  std::vector<BatchedRun> batchedCommands_;
  std::vector<V2F_C4B_T2F_Quad> quads_;
  std::vector<uint16_t> indices_;
  uint32_t quadVAO_ = 0;
  uint32_t buffersVBO_[2] = {0, 0};
  int64_t quadCount_ = 0;
  bool glViewAssigned_ = false;
  bool usesVAO_ = false;
  bool drewWithVAO_ = false;
  uint64_t drawCalls_ = 0;
  uint64_t drawnQuads_ = 0;
  uint64_t flushes_ = 0;
  uint64_t drawnVertices_ = 0;
};

}  // namespace engine
