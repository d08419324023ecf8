#pragma once
// The content start-up, the last step of the launch: loads the content, the game tables file
// (handed on to the game through the launch steps) and every table later code
// reads, prepares the process-wide game objects and the audio engine, creates the main layer that
// becomes the first scene and starts the store front's callback pump. Runs once, on the main
// thread, after the window and the views exist.

namespace engine {
class Node;
}
class LaunchSteps;

// The pump's timer key on the director's scheduler (its target is the platform object).
constexpr int STEAM_PUMP_KEY = 25;
constexpr float STEAM_PUMP_INTERVAL = 0.05f;
// The content file, in the platform's data folder.
constexpr const char* CONTENT_FILE_NAME = "data.dat";

// Returns the main layer, created (autoreleased) but not yet running; never null. A damaged or
// altered content file is reported once ("Hacked Data Files!") and the start-up goes on, with
// games refused.
engine::Node* startUpGame(LaunchSteps& steps);
