#include "app/setup_tool_app.h"

#include <gtest/gtest.h>

#include "platform/system.h"
#include "resources/resource.h"
#include "support/scripted_host.h"

namespace {

using testing_support::ScriptedHost;

class FakeAppPlatform : public AppPlatform {
 public:
  void InitCommonControls() override { commonControlsStarted = true; }
  bool StartSocketLayer() override { return socketsStart; }
  bool commonControlsStarted = false;
  bool socketsStart = true;
};

struct AppFixture : ::testing::Test {
  ScriptedHost host;
  FakeAppPlatform platform;
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  CSetupToolApp app{host, platform, network, files};
};

TEST_F(AppFixture, RunsTheMainWindowAndEndsTheProcessAfterwards) {
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(platform.commonControlsStarted);
  EXPECT_EQ(host.modalTemplates, std::vector<int>{IDD_SETUPTOOL_DIALOG});
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(AppFixture, SocketLayerFailureIsReportedAndNoWindowIsShown) {
  platform.socketsStart = false;
  host.strings[IDS_SOCKETS_INIT_FAILED] = "socket layer failed";
  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "socket layer failed");
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
  EXPECT_EQ(host.boxes[0].Icon(), ui::kMbIconExclamation);
  EXPECT_EQ(host.boxes[0].Buttons(), ui::kMbOk);
  EXPECT_TRUE(host.modalTemplates.empty());
}

}  // namespace
