#pragma once
// Leaving the game in progress from the pause and death views: the world and the character are
// saved and, once the files are written, the game ends and the start view is shown. A save that
// fails keeps the game running, so nothing the player did is lost.
//
// Main thread only.

#include <functional>

class UiSession;

// Saves and ends the game the views play. `failed` runs, with the game still running, when the
// save failed. The session is the view stack's, which outlives the save's completion.
void saveAndQuitGame(UiSession& session, const std::function<void()>& failed);
