#include "ui/views/start_view_controls.h"

#include "engine/app/application.h"

void StartViewControls::keyEvent(engine::KeyCode keyCode, bool released) {
  // On release, so the key's press cannot reach whatever comes after the game.
  if (keyCode != engine::KeyCode::ESCAPE || !released) return;
  if (engine::Application* application = engine::Application::getInstance()) application->quit();
}
