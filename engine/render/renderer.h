#pragma once
// The deferred drawing stage. During the scene visit sprites append their quads, already in world
// space, straight into this frame's quad buffer, and other nodes queue commands; render() then
// draws the buffer in submission order, one draw call per run of quads of one material, and runs
// each other command where it was queued.

#include <cstdint>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/base/geometry.h"
#include "engine/render/quad_material.h"
#include "engine/render/quad_types.h"

namespace engine {

class RenderCommand;
class QuadCommand;
class GLProgramState;

class Renderer {
 public:
  // Quads one upload and draw may hold: their 6 indices each must stay within 16 bits.
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

  // A number for one placement of a quad in world space, never handed out twice in the life of
  // the process (64 bits do not wrap), never 0. Main thread only.
  static uint64_t newPlacementStamp() {
    static uint64_t last = 0;
    return ++last;
  }

  // Appends one quad in world space, drawn with this material, under the stamp its submitter
  // gave that placement of it. The buffer is kept from frame to frame, and a still scene queues
  // the same placements in the same order: where the buffer already holds this placement at this
  // place, its bytes are not read or written again. Inline: a large scene calls it once per
  // sprite; a quad of the material of the quads just before it only lengthens their run. The
  // model-view is kept for the draw only when the material's program reads it. What needs more
  // room or keeps the model-view goes out of line, so that the usual case calls nothing and its
  // caller need not save registers for it.
  void addQuad(const QuadMaterial& material, const V2F_C4B_T2F_Quad& quad, uint64_t stamp,
               const Mat4& modelView) {
    const bool continues = continuesRun(material);
    if (quadCount_ == quadCapacity_ ||
        (!continues && (runCount_ == runCapacity_ || material.readsModelView()))) [[unlikely]] {
      addQuadMakingRoom(material, quad, stamp, modelView);
      return;
    }
    if (stampData_[quadCount_] != stamp) {
      copyQuad(quadData_[quadCount_], quad);
      stampData_[quadCount_] = stamp;
    }
    if (!continues) appendRun(material);
    ++quadCount_;
  }
  // Queues a command: a quad command's quads are copied (and moved to world space) now; any
  // other command runs during render() between the quads queued before and after it.
  void addCommand(RenderCommand* command);
  // Draws what was queued (when the GL objects exist) and then empties the queue.
  void render();
  // Empties the queue without drawing.
  void clean();

  // Whether a node of this size under this transform can reach the window.
  bool checkVisibility(const Mat4& transform, const Size& size) const;

  bool isGLViewAssigned() const { return glViewAssigned_; }
  // Runs of quads and other commands queued this frame.
  size_t getQueuedCommandCount() const { return runCount_ + commands_.size(); }
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
  // Five 16-byte moves: left to itself the compiler copies a quad with a string move, whose
  // start-up costs more than the copy, once per sprite per frame.
  static void copyQuad(V2F_C4B_T2F_Quad& out, const V2F_C4B_T2F_Quad& in) {
#if defined(__SSE2__)
    static_assert(sizeof(V2F_C4B_T2F_Quad) == 5 * sizeof(__m128i));
    const auto* from = reinterpret_cast<const __m128i*>(&in);
    auto* to = reinterpret_cast<__m128i*>(&out);
    const __m128i b0 = _mm_loadu_si128(from), b1 = _mm_loadu_si128(from + 1),
                  b2 = _mm_loadu_si128(from + 2), b3 = _mm_loadu_si128(from + 3),
                  b4 = _mm_loadu_si128(from + 4);
    _mm_storeu_si128(to, b0);
    _mm_storeu_si128(to + 1, b1);
    _mm_storeu_si128(to + 2, b2);
    _mm_storeu_si128(to + 3, b3);
    _mm_storeu_si128(to + 4, b4);
#else
    out = in;
#endif
  }

  // Consecutive quads of one material in the quad buffer, in submission order, up to the next
  // run's start (or the end of the buffer). Everything the draw needs of them is here: nothing
  // that queued them is read again.
  struct QuadRun {
    QuadMaterial::Drawn material;
    uint32_t start;
    int32_t modelView;  // its place in modelViews_; -1: the program reads none
  };
  static_assert(sizeof(QuadRun) == 32, "a run per sprite is written and read every frame");
  // A command other than quads, and how many runs were queued before it.
  struct QueuedCommand {
    RenderCommand* command;
    size_t runsBefore;
  };
  // Whether quads of this material lengthen the last run.
  bool continuesRun(const QuadMaterial& material) const {
    return openRunID_ != 0 && openRunID_ == material.getID();
  }
  // Starts a run at the end of the buffer. Inline but for the rare cases: quad commands of a few
  // textures interleaved start a run each.
  void openRun(const QuadMaterial& material, const Mat4& modelView) {
    if (runCount_ == runCapacity_ || material.readsModelView()) [[unlikely]] {
      openRunKeeping(material, modelView);
      return;
    }
    appendRun(material);
  }
  void appendRun(const QuadMaterial& material) {
    runs_[runCount_++] = {material.drawn(), static_cast<uint32_t>(quadCount_), -1};
    openRunID_ = material.getID();
  }
  // The same, growing the runs or keeping the model-view.
  void openRunKeeping(const QuadMaterial& material, const Mat4& modelView);
  // addQuad's rare cases: a full buffer, full runs or a model-view to keep.
  void addQuadMakingRoom(const QuadMaterial& material, const V2F_C4B_T2F_Quad& quad,
                         uint64_t stamp, const Mat4& modelView);
  void addQuadCommand(const QuadCommand& command);
  void growQuadBuffer(int64_t needed);
  void drawQueue();
  void runOtherCommand(RenderCommand* command);
  int64_t startOf(size_t run) const { return run < runCount_ ? runs_[run].start : quadCount_; }
  void drawRuns(size_t begin, size_t end);
  // Uploads quads [start, end) and draws them, beginning with run `run`; returns the run the
  // next flush begins with.
  size_t flush(size_t run, int64_t start, int64_t end);
  void uploadQuads(const V2F_C4B_T2F_Quad* quads, int64_t quadCount);
  void finishFlush();
  // What the flush under way applied last in full, and whether the next material of the same
  // program state only has to bind its texture and blend: applying the state again would send
  // nothing new, and the program can draw.
  struct AppliedMaterial {
    const GLProgramState* programState = nullptr;
    BlendFunc blend;
    bool textureOnly = false;
    bool drawable = false;
  };
  void applyMaterial(const QuadRun& run, AppliedMaterial& applied) const;
  AppliedMaterial applyWholeMaterial(const QuadRun& run) const;
  // The draws of one flush, whose first quad in the buffer is `first`: the quads from `pending`
  // on wait for the next change of material, and are then drawn with one call, or skipped when
  // the material cannot draw.
  struct FlushDraws {
    int64_t first = 0;
    int64_t pending = first;
    uint64_t calls = 0;
    uint64_t skipped = 0;
    void drawUpTo(int64_t upTo, bool drawable);
  };

  // This frame's quads, in world space; kept (and grown) from frame to frame.
  std::vector<V2F_C4B_T2F_Quad> quads_;
  V2F_C4B_T2F_Quad* quadData_ = nullptr;
  // The placement each quad of the buffer holds; 0 where its bytes came from anything else (a
  // quad command), which no placement matches.
  std::vector<uint64_t> stamps_;
  uint64_t* stampData_ = nullptr;
  int64_t quadCount_ = 0;
  int64_t quadCapacity_ = 0;
  // This frame's runs are the first runCount_; the rest are kept for larger frames.
  std::vector<QuadRun> runs_;
  size_t runCount_ = 0;
  size_t runCapacity_ = 0;  // runs_.size(), kept apart for the per-quad check
  // The material id of the last run, which the next quad of that material lengthens; 0 when a
  // command came after it (or its material never batches).
  uint32_t openRunID_ = 0;
  std::vector<QueuedCommand> commands_;
  std::vector<Mat4> modelViews_;

  uint32_t lastMaterialID_ = 0;
  bool lastMaterialDrawable_ = false;
  std::vector<uint16_t> indices_;
  uint32_t quadVAO_ = 0;
  uint32_t buffersVBO_[2] = {0, 0};
  bool glViewAssigned_ = false;
  bool usesVAO_ = false;
  bool drewWithVAO_ = false;
  uint64_t drawCalls_ = 0;
  uint64_t drawnQuads_ = 0;
  uint64_t flushes_ = 0;
  uint64_t drawnVertices_ = 0;
};

}  // namespace engine
