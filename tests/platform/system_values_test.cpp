#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/display_modes.h"
#include "platform/layout_values.h"
#include "platform/local_interfaces.h"

namespace {

using kel::DisplayMode;
using kel::base::VideoMode;

DisplayMode mode(int w, int h, int hz = 60, int bits = 8) {
  return DisplayMode{w, h, hz, bits, bits, bits};
}

TEST(VideoModes, EachFittingStorableSizeIsOfferedOnceSmallestFirst) {
  const std::vector<DisplayMode> modes = {
      mode(1920, 1080, 144), mode(1920, 1080), mode(1280, 720), mode(2560, 1440),
      mode(800, 600, 60, 5), mode(1024, 768, 59),
  };
  // The monitor's modes and the usual window sizes, each once.
  EXPECT_EQ(kel::selectVideoModes(modes, mode(1920, 1080)),
            (std::vector<VideoMode>{{960, 540}, {1024, 576}, {1024, 768}, {1280, 720}, {1366, 768}, {1600, 900}, {1920, 1080}}));
  // 1600x900 and 1200x1200 have the same area; duplicates of each must still merge. Sizes that
  // cannot be stored or are empty are never offered.
  const std::vector<DisplayMode> odd = {mode(1600, 900), mode(1200, 1200), mode(1600, 900),
                                        mode(1200, 1200), mode(70000, 600), mode(0, 600)};
  const std::vector<VideoMode> offered = kel::selectVideoModes(odd, mode(100000, 100000));
  EXPECT_EQ(offered, (std::vector<VideoMode>{{960, 540}, {1024, 576}, {1280, 720}, {1366, 768}, {1200, 1200}, {1600, 900},
                                             {1920, 1080}, {2560, 1440}}));
}

TEST(VideoModes, AScreenListingOnlyItsOwnSizeStillOffersSmallerWindows) {
  // A virtual display of one mode: the game can still run in a window smaller than the screen.
  EXPECT_EQ(kel::selectVideoModes({mode(1280, 720)}, mode(1280, 720), kel::WorkArea{1280, 720}),
            (std::vector<VideoMode>{{960, 540}, {1024, 576}, {1280, 720}}));
  EXPECT_EQ(kel::selectVideoModes({mode(1920, 1080)}, mode(1920, 1080), kel::WorkArea{1920, 1050}),
            (std::vector<VideoMode>{{960, 540}, {1024, 576}, {1280, 720}, {1366, 768}, {1600, 900}}));
}

TEST(VideoModes, OnlySizesThatFitTheScreensWorkAreaAreOffered) {
  const std::vector<DisplayMode> modes = {mode(1920, 1200), mode(1280, 720), mode(1024, 768), mode(800, 600)};
  // A 1280x720 screen whose monitor lists larger modes.
  EXPECT_EQ(kel::selectVideoModes(modes, mode(1920, 1200), kel::WorkArea{1280, 720}),
            (std::vector<VideoMode>{{800, 600}, {960, 540}, {1024, 576}, {1280, 720}}));
  // A panel takes 40 rows: the screen's own size no longer fits a window.
  EXPECT_EQ(kel::selectVideoModes(modes, mode(1280, 720), kel::WorkArea{1280, 680}),
            (std::vector<VideoMode>{{800, 600}, {960, 540}, {1024, 576}}));
  // Where the system says nothing of a work area, the current mode bounds the sizes.
  EXPECT_EQ(kel::selectVideoModes(modes, mode(1280, 720), kel::WorkArea{}),
            (std::vector<VideoMode>{{800, 600}, {960, 540}, {1024, 576}, {1280, 720}}));
}

TEST(LocalInterfaces, DefaultRouteInterfacesAreReadFromTheRouteTableDamagedOrNot) {
  const std::string table =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\n"
      "eth0\t00000000\t0102A8C0\t0003\t0\t0\t100\t00000000\n"
      "eth0\t0002A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\n"
      "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\n"
      "eth0\t00000000\t0102A8C0\t0003\t0\t0\t200\t00000000\n";
  EXPECT_EQ(kel::defaultRouteInterfaces(table), (std::vector<std::string>{"eth0", "wlan0"}));
  EXPECT_TRUE(kel::defaultRouteInterfaces("eth0\t00000000\n").empty());  // no title line
  EXPECT_EQ(kel::defaultRouteInterfaces("T\neth0\n\n\x01\x02\xff\nwlan0\t00000000"),
            (std::vector<std::string>{"wlan0"}));
}

TEST(LocalInterfaces, TheMachinesInterfacesAreWellFormed) {
  for (const kel::LocalInterfaceInfo& info : kel::listLocalInterfaces()) {
    ASSERT_NE(std::memchr(info.name, '\0', sizeof info.name), nullptr);
    ASSERT_NE(std::memchr(info.address, '\0', sizeof info.address), nullptr);
    uint32_t parsed = 0;
    ASSERT_EQ(inet_pton(AF_INET, info.address, &parsed), 1) << info.name;
    EXPECT_EQ(parsed, info.addressValue) << info.name;
    if (info.netmaskValue != 0) {
      EXPECT_EQ(info.broadcastValue, (info.addressValue & info.netmaskValue) | ~info.netmaskValue);
    }
  }
}

}  // namespace
