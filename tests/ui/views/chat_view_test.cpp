// The chat view's line runs through the chat command interpreter when the game is played alone
// and goes to a networked game otherwise.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/play_fixture.h"
#include "ui/views/chat_view.h"
#include "world/rules/game.h"

namespace {

class ChatViewTest : public ui_test::PlayTest {};

// A networked game: the chat lines it is handed.
class ChattingGame final : public NullGame {
 public:
  void submitChatLine(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

TEST_F(ChatViewTest, TheChatViewRunsALineItselfAloneAndHandsItToANetworkedGame) {
  auto& chat = static_cast<ChatView&>(views().view(ViewId::Chat));
  play(game);
  chat.submit("/weather rain");
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Weather set to rain.");

  ChattingGame networked;
  play(networked);
  chat.submit("/weather snow");
  EXPECT_EQ(networked.lines, std::vector<std::string>{"/weather snow"});
  EXPECT_EQ(events.messages.size(), 1u) << "the host answers a networked game's line";
}

}  // namespace
