// Copying to the clipboard: a held clipboard is tried again a few times a
// moment apart, then the copy fails; other failures are not retried.
#include "ui/clipboard.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace mensor {
namespace {

using R = ClipboardResult;

struct RetryCase {
  const char* name;
  std::vector<R> answers;
  bool copied;
  int tries;
};

TEST(Clipboard, RetriesWhileHeldThenGivesUp) {
  const RetryCase cases[] = {
      {"free at once", {}, true, 1},
      {"free at the third try", {R::Busy, R::Busy, R::Done}, true, 3},
      {"held throughout", {R::Busy, R::Busy, R::Busy, R::Busy, R::Busy, R::Busy, R::Busy}, false, kClipboardTries},
      {"refused", {R::Failed, R::Done}, false, 1},
  };
  for (const RetryCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePlatform platform;
    platform.clipboard_answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(CopyToClipboard(platform, "245 px"), c.copied);
    EXPECT_EQ(platform.clipboard_tries, c.tries);
    EXPECT_EQ(platform.clipboard.has_value(), c.copied);
    // One pause between two tries, none after the last.
    const std::vector<std::string> pauses(c.tries - 1, "sleep " + std::to_string(kClipboardPause));
    EXPECT_EQ(platform.events, pauses);
  }
  EXPECT_LE(kClipboardWait, 200) << "the user waits no longer than this for a held clipboard";
}

}  // namespace
}  // namespace mensor
