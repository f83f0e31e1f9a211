// How the window is arranged in the host's window, and how a popup keeps
// over it.
#include <gtest/gtest.h>

#include "ui/embedding.h"

namespace tvz::ui {
namespace {

TEST(Embedding, ChildOnWindowsPopupUnderWineOwnWindowForASilentHost) {
  EXPECT_EQ(ChooseEmbedding(true, false), Embedding::kChild);
  EXPECT_EQ(ChooseEmbedding(true, true), Embedding::kOwnedPopup);
  EXPECT_EQ(ChooseEmbedding(false, false), Embedding::kOnItsOwn);
  EXPECT_EQ(ChooseEmbedding(false, true), Embedding::kOnItsOwn);
}

TEST(Embedding, NoFrameInsideTheHostAndNoTaskbarButtonAsAPopup) {
  constexpr LONG_PTR kPopup = static_cast<LONG_PTR>(WS_POPUP);  // the sign bit on 32 bits
  const WindowStyles form{WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                          WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT};
  EXPECT_EQ(EmbeddedStyles(Embedding::kChild, form),
            (WindowStyles{WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}));
  EXPECT_EQ(EmbeddedStyles(Embedding::kOwnedPopup, form),
            (WindowStyles{kPopup | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW}));
}

TEST(Embedding, PopupFollowsItsHost) {
  constexpr UINT kBase = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  const POINT at{42, 65}, elsewhere{40, 63};
  const struct {
    HostView host;
    PopupView popup;
    FollowAction action;
    UINT flags;
  } cases[] = {
      {{false, false, at}, {true, at, true}, FollowAction::kClose, 0},
      {{true, false, at}, {true, at, true}, FollowAction::kHide, 0},
      {{true, false, at}, {false, at, true}, FollowAction::kNothing, 0},
      {{true, true, at}, {true, at, true}, FollowAction::kNothing, 0},
      {{true, true, at}, {true, elsewhere, true}, FollowAction::kPlace, kBase | SWP_NOZORDER},
      {{true, true, at}, {true, at, false}, FollowAction::kPlace, kBase | SWP_NOMOVE},
      {{true, true, at}, {false, at, true}, FollowAction::kPlace,
       kBase | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW},
  };
  for (const auto& c : cases) {
    const FollowStep step = NextFollowStep(c.host, c.popup);
    EXPECT_EQ(step.action, c.action) << &c - cases;
    EXPECT_EQ(step.flags, c.flags) << &c - cases;
  }
}

}  // namespace
}  // namespace tvz::ui
