// Animation channels of skeletal instances: fades and weights, strengths
// and bone masks in the blend, looping and the end of an animation, channels
// that follow another, the great-arc interpolation, and lists and indices
// that once hung or reached outside their arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/YSkelMesh.h"
#include "render/YSkelMeshInstance.h"
#include "render/YSkelMeshLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/MeshTestSupport.h"

namespace {

using State = YSkelMeshInstance::State;

constexpr float kSin45 = 0.70710678f;

// The bar with animations: 0 = frames 0, 1, 2 (0, 0.2 and 0.3 s at 50 a
// second); 1 = frame 0 held; 2 = frame 2 held; 3 = frame 1 held.
class ChannelTest : public ::testing::Test {
 protected:
  ChannelTest() {
    mesh.name = "bar.ams";
    YSkelMeshLoader("bar.ams", mesh_test::BarText()).ParseSkeletal(mesh);
    mesh.AddAnimationRange(0, 3);
    const std::int32_t held[3][2] = {{0, -1}, {2, -1}, {1, -1}};
    for (const auto& list : held) mesh.AddAnimation(list);
  }
  // Defines channel c and makes the instance (which sizes its channels then).
  void Define(int c, int animation, float strength = 1, bool looping = true, int sync = -1, float fadeIn = 0,
              float fadeOut = 0) {
    mesh.SetChannel(c, sync, animation, strength, fadeIn, fadeOut, looping, false);
  }
  YSkelMeshInstance& Instance() {
    if (!instance_) instance_ = std::make_unique<YSkelMeshInstance>(&mesh, 1.0f, 1);
    return *instance_;
  }
  YSkelMeshInstance::Channel& Channel(int c) { return Instance().channels[static_cast<std::size_t>(c)]; }

  YSkelMesh mesh;

 private:
  std::unique_ptr<YSkelMeshInstance> instance_;
};

TEST_F(ChannelTest, AFadeInRaisesTheWeightLinearlyAndEndsInPlaying) {
  Define(0, 0);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0.5f, 1.0f);
  EXPECT_EQ(skin.ChannelWeight(0), 0.0f);
  skin.UpdateChannels(0.25f);
  EXPECT_NEAR(skin.ChannelWeight(0), 0.5f, 1e-6f);
  skin.UpdateChannels(0.25f);
  EXPECT_NEAR(skin.ChannelWeight(0), 1.0f, 1e-6f);
  EXPECT_EQ(Channel(0).state, State::kFadingIn);  // the timer is at 0, not below
  skin.UpdateChannels(0.01f);
  EXPECT_EQ(Channel(0).state, State::kPlaying);
}

// Turning round mid-fade goes on from the weight reached.
TEST_F(ChannelTest, StoppingOrRestartingMidFadeKeepsTheWeight) {
  Define(0, 0, 1, true, -1, 0.5f, 1.0f);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, -1, -1);  // the definition's fade and strength
  skin.UpdateChannels(0.25f);
  skin.StopChannel(0, -1);
  EXPECT_EQ(Channel(0).state, State::kFadingOut);
  EXPECT_NEAR(Channel(0).fadeTimer, 0.5f, 1e-6f);
  EXPECT_NEAR(skin.ChannelWeight(0), 0.5f, 1e-6f);
  skin.UpdateChannels(0.25f);
  EXPECT_NEAR(skin.ChannelWeight(0), 0.25f, 1e-6f);
  skin.StartChannel(0, 0.4f, -1);
  EXPECT_EQ(Channel(0).state, State::kFadingIn);
  EXPECT_NEAR(skin.ChannelWeight(0), 0.25f, 1e-6f);
  skin.StopChannel(0, 0.3f);  // shorter fade-out: scaled to it
  skin.StopChannel(0, 0.1f);
  EXPECT_NEAR(Channel(0).fadeOutLength, 0.1f, 1e-6f);
  EXPECT_NEAR(skin.ChannelWeight(0), 0.25f, 1e-6f);
}

TEST_F(ChannelTest, FadesOfNoLengthSwitchAtOnceWithoutNaN) {
  Define(0, 0, 2.0f);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  EXPECT_EQ(skin.ChannelWeight(0), 2.0f);
  skin.UpdateChannels(0.01f);
  skin.BlendChannels();
  skin.StopChannel(0, 0);
  EXPECT_EQ(skin.ChannelWeight(0), 0.0f);
  skin.StartChannel(0, 0, -1);  // from a fade-out of no length
  EXPECT_EQ(skin.ChannelWeight(0), 2.0f);
  skin.StopChannel(0, 0);
  skin.UpdateChannels(0.01f);
  EXPECT_EQ(Channel(0).state, State::kStopped);
  for (const YMeshVertex& v : skin.vertices) EXPECT_TRUE(std::isfinite(v.x + v.y + v.z + v.nx + v.ny + v.nz));
}

// Frames 0 and 2 mixed 1 : 3: the root lies three quarters of the way, the
// rotations are mixed by weight and made unit length again.
TEST_F(ChannelTest, StrengthsMixThePosesAndTheMixedRotationsAreUnitLength) {
  Define(0, 1, 1.0f);
  Define(1, 2, 3.0f);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  skin.StartChannel(1, 0, -1);
  skin.UpdateChannels(0.01f);
  skin.BlendChannels();
  EXPECT_NEAR(skin.rootPosition.z, 0.75f, 1e-6f);
  const YQuaternion& q = skin.rotations[0];
  EXPECT_NEAR(q.Dot(q), 1.0f, 1e-5f);
  const float z = 0.75f * kSin45, w = 0.25f + 0.75f * kSin45, length = std::sqrt(z * z + w * w);
  EXPECT_NEAR(q.z, z / length, 1e-5f);
  EXPECT_NEAR(q.w, w / length, 1e-5f);
  EXPECT_FALSE(skin.blendPending);
  skin.rootPosition = YVector3();
  skin.BlendChannels();  // nothing moved since: nothing done
  EXPECT_EQ(skin.rootPosition.z, 0.0f);
}

TEST_F(ChannelTest, ABoneMaskLeavesMaskedBonesToTheOtherChannels) {
  Define(0, 1);  // frame 0: both bones straight
  Define(1, 3);  // frame 1: bone 1 a quarter turn
  const float mask[] = {0, 1};
  mesh.SetChannelMask(1, mask);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  skin.StartChannel(1, 0, -1);
  skin.UpdateChannels(0.01f);
  skin.BlendChannels();
  EXPECT_NEAR(skin.rotations[0].w, 1.0f, 1e-6f);
  const float half = std::sin(3.14159265f / 8);  // half of the quarter turn
  EXPECT_NEAR(skin.rotations[1].z, half, 1e-5f);

  // A bone no channel moves keeps the zero sum, which poses as the identity.
  skin.StopChannel(0, 0);
  const float only[] = {1, 0};
  mesh.SetChannelMask(1, only);
  skin.UpdateChannels(0.01f);
  skin.BlendChannels();
  EXPECT_EQ(skin.rotations[1].Dot(skin.rotations[1]), 0.0f);
  for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
    EXPECT_NEAR(skin.vertices[i].x, mesh.vertices[i].x, 1e-5f);
}

// Without looping, the fade-out starts when less than its length is left
// and the channel stops as the list runs out; with looping it goes round.
TEST_F(ChannelTest, AnAnimationThatDoesNotLoopFadesOutAtItsEndAndStops) {
  Define(0, 0, 1, false, -1, 0, 0.2f);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);  // approaches key 1: 0.2 + 0.3 s to go
  int fadingFrom = 0, stoppedAt = 0;
  for (int update = 1; update <= 20 && stoppedAt == 0; ++update) {
    skin.UpdateChannels(0.04f);
    if (fadingFrom == 0 && Channel(0).state == State::kFadingOut) fadingFrom = update;
    if (Channel(0).state == State::kStopped) stoppedAt = update;
  }
  EXPECT_EQ(fadingFrom, 8);  // 0.5 - 8 x 0.04 = 0.18 left
  EXPECT_EQ(stoppedAt, 12);

  Define(0, 0, 1, true);
  skin.StartChannel(0, 0, -1);
  std::vector<int> keys;
  for (int update = 0; update < 25; ++update) {
    skin.UpdateChannels(0.1f);
    keys.push_back(Channel(0).keyPosition);
  }
  EXPECT_EQ(Channel(0).state, State::kPlaying);
  EXPECT_GE(std::count(keys.begin(), keys.end(), 1), 5);  // key 0 takes no time: passed at once
  EXPECT_GE(std::count(keys.begin(), keys.end(), 2), 5);
}

TEST_F(ChannelTest, ASyncChannelFollowsItsLeadersTiming) {
  Define(0, 0);
  Define(1, 0, 1, true, 0);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  skin.UpdateChannels(0.13f);
  skin.StartChannel(1, 0, -1);
  for (int update = 0; update < 7; ++update) {
    skin.UpdateChannels(0.07f);
    EXPECT_EQ(Channel(1).keyPosition, Channel(0).keyPosition);
    EXPECT_EQ(Channel(1).timeInKey, Channel(0).timeInKey);
    EXPECT_EQ(Channel(1).keyDuration, Channel(0).keyDuration);
  }
}

// A channel that ends must not take the frame's time from the ones after it.
TEST_F(ChannelTest, ChannelsAfterOneThatEndsStillAdvance) {
  Define(0, 0, 1, false);
  Define(1, 0, 1, true);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  skin.StartChannel(1, 0, -1);
  skin.UpdateChannels(0.05f);
  skin.UpdateChannels(0.7f);  // channel 0's list runs out
  EXPECT_EQ(Channel(0).state, State::kStopped);
  // Channel 1 is 0.75 s in, once round its 0.5 s: 0.05 s into key 2.
  EXPECT_EQ(Channel(1).keyPosition, 2);
  EXPECT_NEAR(Channel(1).timeInKey, 0.05f, 1e-5f);
}

TEST_F(ChannelTest, ListsAndIndicesThatCannotPlayAreRefusedWithoutHarm) {
  const std::int32_t zeroKeys[] = {0, 0, 0, -1};  // frame 0 takes no time
  const int still = mesh.AddAnimation(zeroKeys);
  const int empty = mesh.AddAnimationRange(0, 0);
  EXPECT_EQ(mesh.AddAnimationRange(2, 2), -1);  // frame 3 does not exist
  const std::int32_t beyond[] = {1, 3, -1};
  EXPECT_EQ(mesh.AddAnimation(beyond), -1);
  Define(0, still);
  Define(1, empty);
  YSkelMeshInstance& skin = Instance();
  skin.StartChannel(0, 0, -1);
  for (int i = 0; i < 3; ++i) skin.UpdateChannels(0.5f);  // must not hang
  skin.BlendChannels();
  EXPECT_EQ(Channel(0).state, State::kPlaying);
  skin.StartChannel(1, 0, -1);  // an empty list never starts
  EXPECT_EQ(Channel(1).state, State::kStopped);
  for (const int c : {-1, 2, 1000}) {  // outside the channels: nothing
    skin.StartChannel(c, 0, 1);
    skin.StopChannel(c, 0);
    EXPECT_EQ(skin.ChannelWeight(c), 0.0f);
  }
}

TEST_F(ChannelTest, BadDefinitionsAreLoggedAndKeepTheOldValues) {
  Define(1, 2);
  LogCapture log;
  mesh.SetChannel(1, 1, 9, 0.5f, 0, 0, true, false);
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Mesh bar.ams animation channel 1 error syncChannel=1 >= curChannel.",
                                      "Mesh bar.ams animation channel 1 error animation index 9."}));
  EXPECT_EQ(mesh.channels[1].animation, 2);
  EXPECT_EQ(mesh.channels[1].syncChannel, -1);
  EXPECT_EQ(mesh.channels[1].strength, 0.5f);
  EXPECT_EQ(mesh.channels.size(), 2u);
}

TEST(Slerp, GoesTheShortWayRoundAndStartsAtTheFirstRotation) {
  const YQuaternion identity(0, 0, 0, 1), quarter(0, 0, kSin45, kSin45);
  const YQuaternion negated(0, 0, -kSin45, -kSin45);
  for (const float t : {0.0f, 0.3f, 0.5f, 1.0f}) {
    const YQuaternion a = YQuaternion::Slerp(identity, quarter, t);
    const YQuaternion b = YQuaternion::Slerp(identity, negated, t);  // the same rotation, written negated
    EXPECT_NEAR(a.z, b.z, 1e-6f) << t;
    EXPECT_NEAR(a.w, b.w, 1e-6f) << t;
    EXPECT_NEAR(a.Dot(a), 1.0f, 1e-5f) << t;
    const YQuaternion same = YQuaternion::Slerp(quarter, negated, t);
    EXPECT_NEAR(same.z, quarter.z, 1e-6f) << t;
    EXPECT_NEAR(same.w, quarter.w, 1e-6f) << t;
  }
  const YQuaternion half = YQuaternion::Slerp(identity, quarter, 0.5f);
  EXPECT_NEAR(half.z, std::sin(3.14159265f / 8), 1e-6f);
  EXPECT_EQ(YQuaternion::Slerp(identity, quarter, 0).w, 1.0f);
}

}  // namespace
