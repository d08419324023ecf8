#pragma once
// A view of the in-game interface: a node tree drawn on the main layer while the view is on the
// stack, and the controls object that receives its input while it is current. Views never read
// input themselves; the view stack switches their controls on and off.

#include <memory>

#include "engine/base/ref_ptr.h"
#include "ui/views/view_id.h"
#include "platform/controls/abstract_controls.h"
#include "ui/views/abstract_game_view.h"
#include "ui/views/ui_session.h"

namespace engine {
class InnerNode;
}
class MainLayer;

// Views draw over the main layer's world and HUD batches (45), the console (48) and the
// achievement pop-up (49), and under its overlay (90), where the item tooltip shows.
constexpr int kViewZOrder = 50;

class GameView : public kel::AbstractGameView {
 public:
  ~GameView() override;
  GameView(const GameView&) = delete;
  GameView& operator=(const GameView&) = delete;

  // A covered view waits beneath the current one; nothing to do by default.
  void pause() override {}
  void resume() override {}
  // The view stack covers a view with another and uncovers it again. A covered view leaves the
  // screen, so the one above reads alone, unless it is the scene the others sit on.
  void setCovered(bool covered);
  // Whether the view stays drawn while covered: the main view, whose world and HUD the views
  // stacked on it sit over.
  virtual bool drawnWhileCovered() const { return false; }
  // Puts the view's nodes on the layer.
  void enter() override;
  // Takes the view's nodes off the layer.
  void exit() override;
  // The window changed size: the view places what it has built for the new one, on the stack or
  // not. Views that place nothing by the window's size keep this, which does nothing.
  virtual void layOut() {}

  ViewId id() const { return id_; }
  // The layer the view draws on; null while there is none. Not owned.
  void setLayer(MainLayer* layer) { layer_ = layer; }
  MainLayer* layer() const { return layer_; }
  // The view's own nodes; on the layer from enter to exit.
  engine::InnerNode* root() const { return root_; }
  kel::AbstractControls& controls() { return *controls_; }
  // The game the view plays: the view stack's, which it gives each view it makes. Not owned.
  UiSession& session() const { return *session_; }
  void setSession(UiSession& session) { session_ = &session; }

 protected:
  // Views whose controls do nothing of their own get plain controls; the others pass false and
  // set theirs in their constructor.
  explicit GameView(ViewId id, bool plainControls = true);
  void setControls(std::unique_ptr<kel::AbstractControls> controls);

 private:
  ViewId id_;
  MainLayer* layer_ = nullptr;
  UiSession* session_ = nullptr;
  engine::RefPtr<engine::InnerNode> root_;
  std::unique_ptr<kel::AbstractControls> controls_;
};
