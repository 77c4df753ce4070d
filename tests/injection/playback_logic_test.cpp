// The playback library's plain rules: events, modifier order, characters and coordinates.
#include <gtest/gtest.h>

#include "console/logic/code_page.h"
#include "injection/logic/playback_events.h"

using playback::KeyStroke;
using playback::MouseAction;

TEST(PlaybackEvents, TheMouseMessagesTheProgramSendsAreKnownAndOthersIgnored) {
  EXPECT_EQ(playback::MouseActionFor(0x200), MouseAction::Move);
  EXPECT_EQ(playback::MouseActionFor(0x201), MouseAction::LeftDown);
  EXPECT_EQ(playback::MouseActionFor(0x202), MouseAction::LeftUp);
  EXPECT_EQ(playback::MouseActionFor(0x204), MouseAction::RightDown);
  EXPECT_EQ(playback::MouseActionFor(0x205), MouseAction::RightUp);
  EXPECT_EQ(playback::MouseActionFor(0x203), MouseAction::None);   // double-click message
  EXPECT_EQ(playback::MouseActionFor(0x100), MouseAction::None);
  EXPECT_EQ(playback::MouseActionFor(0x0078020A), MouseAction::WheelUp) << "120 away from the user";
  EXPECT_EQ(playback::MouseActionFor(0xFF88020A), MouseAction::WheelDown) << "-120, toward the user";
}

TEST(PlaybackEvents, BareKeyEventsAreDownOrUpAndOtherMessagesAreRefused) {
  KeyStroke stroke{};
  ASSERT_TRUE(playback::KeyEventFor(0x100, 0x10, stroke));
  EXPECT_EQ(stroke, (KeyStroke{0x10, false}));
  ASSERT_TRUE(playback::KeyEventFor(0x101, 0x11, stroke));
  EXPECT_EQ(stroke, (KeyStroke{0x11, true}));
  EXPECT_FALSE(playback::KeyEventFor(0x102, 0x41, stroke));
}

TEST(PlaybackEvents, AltF4HoldsAltAroundTheKey) {
  std::vector<KeyStroke> expected{{0x12, false}, {0x73, false}, {0x73, true}, {0x12, true}};
  EXPECT_EQ(playback::VirtKeyStrokes(0x73, false, false, true), expected);
}

TEST(PlaybackEvents, EveryModifierGoesDownBeforeTheKeyAndUpInReverseAfterIt) {
  std::vector<KeyStroke> expected{{0x11, false}, {0x10, false}, {0x12, false}, {0x24, false},
                                  {0x24, true},  {0x12, true},  {0x10, true},  {0x11, true}};
  EXPECT_EQ(playback::VirtKeyStrokes(0x24, true, true, true), expected);
}

TEST(PlaybackEvents, APlainKeyIsJustDownAndUp) {
  std::vector<KeyStroke> expected{{0x0D, false}, {0x0D, true}};
  EXPECT_EQ(playback::VirtKeyStrokes(0x0D, false, false, false), expected);
}

TEST(PlaybackEvents, NavigationKeysAreExtendedAndLetterKeysAreNot) {
  for (uint8_t vk : {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E})
    EXPECT_TRUE(playback::IsExtendedKey(vk)) << int(vk);
  for (uint8_t vk : {0x09, 0x0D, 0x41, 0x73, 0x79, 0x10, 0x11, 0x12})
    EXPECT_FALSE(playback::IsExtendedKey(vk)) << int(vk);
}

TEST(PlaybackEvents, AccentedLettersAndAsciiKeepTheirCodePoint) {
  EXPECT_EQ(Cp1252ToUnicode('a'), 0x61);
  EXPECT_EQ(Cp1252ToUnicode(static_cast<uint8_t>('\xE1')), 0xE1);   // á
  EXPECT_EQ(Cp1252ToUnicode(static_cast<uint8_t>('\xC7')), 0xC7);   // Ç
  EXPECT_EQ(Cp1252ToUnicode(0xFF), 0xFF);
  EXPECT_EQ(Cp1252ToUnicode(0xA0), 0xA0);
}

TEST(PlaybackEvents, TheCodePageSignsAbove0x7FBecomeTheirUnicodeSigns) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), 0x20AC);   // euro
  EXPECT_EQ(Cp1252ToUnicode(0x93), 0x201C);   // left double quote
  EXPECT_EQ(Cp1252ToUnicode(0x8A), 0x0160);   // S caron
  EXPECT_EQ(Cp1252ToUnicode(0x9F), 0x0178);   // Y diaeresis
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0x81);     // hole in the code page
}

TEST(PlaybackEvents, ScreenEdgesAndCentreStayInsideTheAbsoluteRange) {
  EXPECT_LT(playback::NormaliseCoordinate(0, 1024), 64);
  EXPECT_GT(playback::NormaliseCoordinate(1023, 1024), 65535 - 64);
  EXPECT_LE(playback::NormaliseCoordinate(1023, 1024), 65535);
  EXPECT_NEAR(playback::NormaliseCoordinate(512, 1024), 32800, 32);
}

// Windows scales n back by n * w / 65536 rounded down, Wine by n * (w - 1) / 65535
// rounded to nearest; a press must land on the asked pixel under both.
TEST(PlaybackEvents, EveryPixelMapsBackToItselfUnderBothScalings) {
  for (int64_t extent : {600, 768, 1024, 1920}) {
    for (int32_t pixel = 0; pixel < extent; ++pixel) {
      int64_t n = playback::NormaliseCoordinate(pixel, static_cast<int32_t>(extent));
      ASSERT_EQ(n * extent / 65536, pixel) << "extent " << extent;
      ASSERT_EQ((n * (extent - 1) * 2 + 65535) / (2 * 65535), pixel) << "extent " << extent;
    }
  }
}

TEST(PlaybackEvents, PointsOffTheScreenArePinnedAndAnEmptyScreenIsSafe) {
  EXPECT_EQ(playback::NormaliseCoordinate(-40, 1024), playback::NormaliseCoordinate(0, 1024));
  EXPECT_EQ(playback::NormaliseCoordinate(5000, 1024),
            playback::NormaliseCoordinate(1023, 1024));
  EXPECT_EQ(playback::NormaliseCoordinate(10, 0), 0);
  EXPECT_EQ(playback::NormaliseCoordinate(10, 1), 0);
}

// A second monitor left of and above the primary one gives the desktop a negative corner;
// every point of it, edges included, must come back to itself under both scalings.
TEST(PlaybackEvents, EveryPointOfAMultiMonitorDesktopMapsBackToItself) {
  const playback::Desktop desktops[] = {
      {0, 0, 1024, 768}, {-1280, -200, 2304, 968}, {-1920, 0, 3840, 1080}, {0, -600, 800, 1368}};
  for (const auto& d : desktops) {
    for (int32_t x = d.left; x < d.left + d.width; ++x) {
      int64_t n = playback::NormalisePoint(x, d.top, d).x;
      ASSERT_EQ(d.left + n * d.width / 65536, x) << "desktop left " << d.left;
      ASSERT_EQ(d.left + (n * (d.width - 1) * 2 + 65535) / (2 * 65535), x) << d.left;
    }
    for (int32_t y = d.top; y < d.top + d.height; ++y) {
      int64_t n = playback::NormalisePoint(d.left, y, d).y;
      ASSERT_EQ(d.top + n * d.height / 65536, y) << "desktop top " << d.top;
      ASSERT_EQ(d.top + (n * (d.height - 1) * 2 + 65535) / (2 * 65535), y) << d.top;
    }
  }
}

TEST(PlaybackEvents, PointsOffTheDesktopArePinnedToItsEdgesWhateverTheirSize) {
  const playback::Desktop d{-1280, -200, 2304, 968};
  const playback::AbsolutePoint corner = playback::NormalisePoint(-1280, -200, d),
                                far = playback::NormalisePoint(1023, 767, d);
  EXPECT_EQ(playback::NormalisePoint(-1281, -5000, d), corner);
  EXPECT_EQ(playback::NormalisePoint(INT32_MIN, INT32_MIN, d), corner);
  EXPECT_EQ(playback::NormalisePoint(1024, 900, d), far);
  EXPECT_EQ(playback::NormalisePoint(INT32_MAX, INT32_MAX, d), far);
  EXPECT_EQ(playback::NormalisePoint(5, 5, {INT32_MAX, INT32_MIN, 0, -1}),
            (playback::AbsolutePoint{0, 0}));
}
