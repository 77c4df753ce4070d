// Ctrl's raw input and its sampled state merged: every press once, dated by raw input where
// it comes, and what raw input misses still taken from the samples.
#include <gtest/gtest.h>

#include <vector>

#include "seam/logic/key_sources.h"

namespace {

struct Merged {
  KeySources sources;
  std::vector<KeyEdge> edges;
  void Raw(bool down, int64_t atMs, int64_t nowMs, bool injected = false) {
    KeyEdge got[MaxKeyEdges];
    edges.insert(edges.end(), got, got + RawSwitchKey(sources, down, injected, atMs, nowMs, got));
  }
  void Sample(bool down, bool pressedSince, int64_t nowMs) {
    KeyEdge got[MaxKeyEdges];
    edges.insert(edges.end(), got, got + SampledSwitchKey(sources, down, pressedSince, nowMs, got));
  }
};

using EdgeList = std::vector<KeyEdge>;

TEST(KeySources, ARawTapIsOnePressAtItsOwnTimesWhateverTheLaggingSamplesSay) {
  Merged ctrl;
  ctrl.Raw(true, 1000, 1003);
  ctrl.Sample(false, false, 1005);  // the state still cached as up
  ctrl.Raw(true, 1030, 1031);       // a key repeat
  ctrl.Raw(false, 1040, 1041);
  ctrl.Sample(true, true, 1045);    // the state catching up late
  ctrl.Sample(false, true, 1090);   // the pressed-since bit of the same tap
  ctrl.Sample(false, false, 1300);
  EXPECT_EQ(ctrl.edges, (EdgeList{{true, 1000}, {false, 1040}}));
  EXPECT_FALSE(ctrl.sources.down);
}

TEST(KeySources, WithoutRawInputTheSamplesGiveLevelsAndTapsBetweenThem) {
  Merged ctrl;
  ctrl.Sample(false, false, 100);
  ctrl.Sample(true, true, 105);
  ctrl.Sample(true, false, 110);
  ctrl.Sample(false, false, 160);
  ctrl.Sample(false, true, 200);  // a tap that began and ended between two samples
  ctrl.Sample(false, false, 205);
  EXPECT_EQ(ctrl.edges, (EdgeList{{true, 105}, {false, 160}, {true, 200}, {false, 200}}));
}

TEST(KeySources, WhenRawInputStopsMidPressTheSampleEndsIt) {
  Merged ctrl;
  ctrl.Raw(true, 1000, 1002);
  ctrl.Sample(false, false, 1000 + RawEchoMs - 1);  // a lagging up is not believed yet
  EXPECT_TRUE(ctrl.sources.down);
  ctrl.Sample(false, false, 1002 + RawEchoMs);  // raw input brought no key-up: the sample's up
  EXPECT_EQ(ctrl.edges, (EdgeList{{true, 1000}, {false, 1002 + RawEchoMs}}));
}

TEST(KeySources, ABlindSampleReadingUpEndsARawPressOnlyOnceRawInputHasLostIt) {
  Merged ctrl;
  ctrl.sources.sampleBlind = true;
  ctrl.Raw(true, 1000, 1002);
  ctrl.Sample(false, false, 1200);  // an administrator's window in front hides the key
  ctrl.Raw(true, 1500, 1501);       // its repeats go on
  ctrl.Sample(false, false, 1500 + RawHoldMs - 1);
  EXPECT_TRUE(ctrl.sources.down);
  ctrl.Sample(false, false, 1501 + RawHoldMs);  // raw input went silent: the key-up was lost
  ctrl.Sample(false, true, 4000);               // and a later tap raw input did not bring
  EXPECT_EQ(ctrl.edges, (EdgeList{{true, 1000}, {false, 1501 + RawHoldMs}, {true, 4000},
                                    {false, 4000}}));
}

TEST(KeySources, ThePanelsOwnCtrlIsNoPressInRawInputNorInTheSamples) {
  Merged ctrl;
  ctrl.Raw(true, 1000, 1001, true);
  ctrl.Sample(true, true, 1200);   // the injected key still down
  ctrl.Raw(false, 1250, 1251, true);
  ctrl.Sample(false, true, 1300);  // its pressed-since bit
  ctrl.Raw(true, 2000, 2001);      // the person's own press
  ctrl.Raw(false, 2100, 2101);
  ctrl.Raw(true, 3000, 3001, true);  // an own key-up lost: the samples count again after it
  ctrl.Sample(false, true, 3001 + RawHoldMs);
  EXPECT_EQ(ctrl.edges, (EdgeList{{true, 2000}, {false, 2100}, {true, 3001 + RawHoldMs},
                                    {false, 3001 + RawHoldMs}}));
}

}  // namespace
