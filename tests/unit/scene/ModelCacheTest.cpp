// Objects of one model name share one display list, texture and radius; the
// last one to go releases them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "scene/ModelCache.h"
#include "scene/Object.h"
#include "support/Expect.h"
#include "support/FeedbackCapture.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "texture/Texture.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class ModelCacheTest : public GlTest {
protected:
    void SetUp() override {
        dir.writeFile("models/Tree.obj", "v 3 0 0\nv 0 4 0\nv 0 0 1\nf 1 2 3\n");
        writeSolidPicture("textures/Bark.bmp", 4, 4, Rgb{90, 60, 30});
        writeSolidPicture("textures/Other.bmp", 4, 4, Rgb{0, 0, 255});
    }
    TempWorkDir dir;
};

TEST_F(ModelCacheTest, ObjectsOfOneNameShareOneListAndTexture) {
    CaptureStdout();
    auto first = std::make_unique<Object>("Tree.obj", "Bark.bmp");
    auto second = std::make_unique<Object>("Tree.obj", "Other.bmp");
    EXPECT_EQ(GetCapturedStdout(),
              " *** LOADING NEW MODEL Tree.obj\n"
              " *** LOADING NEW TEXTURE Bark.bmp\n"
              " *** REUSING OLD MODEL Tree.obj\n");
    EXPECT_EQ(first->getTexture(), second->getTexture());  // the second name is not used
    // Nothing is compiled or uploaded until one of them is drawn, and then
    // once for both.
    EXPECT_EQ(std::tuple(first->getDisplayList(), first->getTexture()->getGlName()), std::tuple(0u, 0u));
    second->draw();
    EXPECT_NE(first->getDisplayList(), 0u);
    EXPECT_EQ(first->getDisplayList(), second->getDisplayList());
    EXPECT_EQ(std::tuple(Texture::holderCount("Bark.bmp"), Texture::holderCount("Other.bmp"), modelUseCount("Tree.obj")),
              std::tuple(1, 0, 2));
    EXPECT_FLOAT_EQ(first->getRadius(), 4);

    GLuint list = first->getDisplayList();
    GLuint textureName = first->getTexture()->getGlName();
    first.reset();
    EXPECT_TRUE(glIsList(list) && glIsTexture(textureName));
    second.reset();
    EXPECT_FALSE(glIsList(list) || glIsTexture(textureName));
    EXPECT_EQ(std::pair(Texture::holderCount("Bark.bmp"), modelUseCount("Tree.obj")), std::pair(0, 0));

    CaptureStdout();
    Object again("Tree.obj");
    EXPECT_EQ(GetCapturedStdout(), " *** LOADING NEW MODEL Tree.obj\n");
    again.draw();
    EXPECT_TRUE(glIsList(again.getDisplayList()));
}

TEST_F(ModelCacheTest, LaterObjectsCopyTheOwnersCurrentValuesEvenAfterItIsGone) {
    CaptureStdout();
    auto owner = std::make_unique<Object>("Tree.obj", "Bark.bmp");
    owner->setRadius(0.5f);
    auto keeper = std::make_unique<Object>("Tree.obj");
    EXPECT_FLOAT_EQ(keeper->getRadius(), 0.5f);
    owner->setRadius(0.75f);
    keeper->setRadius(9);  // only the loading Object passes its radius on
    GLuint list = owner->getDisplayList();
    const Texture* texture = owner->getTexture();
    owner.reset();

    Object late("Tree.obj");
    GetCapturedStdout();
    EXPECT_FLOAT_EQ(late.getRadius(), 0.75f);
    EXPECT_EQ(late.getDisplayList(), list);
    EXPECT_EQ(late.getTexture(), texture);
    EXPECT_EQ(late.getBuiltinType(), Object::modelFileType);

    // It still draws the shared geometry.
    useOrthoView(-1, 5, -1, 5, -10, 10);
    EXPECT_EQ(feedbackPrimitives(GL_3D, captureFeedback(GL_3D, [&] { late.draw(); })).size(), 1u);
}

TEST_F(ModelCacheTest, SpheresShareTheBuiltinModelWithRadiusOne) {
    CaptureStdout();
    Object first(Object::sphereType);
    Object second(Object::sphereType);
    EXPECT_EQ(GetCapturedStdout(),
              " *** LOADING NEW MODEL _internal_sphere\n"
              " *** REUSING OLD MODEL _internal_sphere\n");
    EXPECT_EQ(first.getDisplayList(), second.getDisplayList());
    EXPECT_EQ(second.getRadius(), 1.0f);
}

TEST_F(ModelCacheTest, LoadFailuresAreFatalAndHoldNothing) {
    CaptureStdout();
    expectFatal([] { Object missing("Missing.obj"); }, "Error loading model Missing.obj");
    EXPECT_EQ(modelUseCount("Missing.obj"), 0);
    expectFatal([] { Object odd(7); }, "Invalid builtin type");
    expectFatal([] { Object untextured("Tree.obj", "NoSuchPicture.bmp"); },
                "Error loading texture ./textures/NoSuchPicture.bmp");
    EXPECT_EQ(modelUseCount("Tree.obj"), 0);
    EXPECT_NE(GetCapturedStdout().find(" *** LOADING NEW MODEL Missing.obj\n"), std::string::npos);
    // The name loads again afterwards.
    Object tree("Tree.obj");
    EXPECT_EQ(modelUseCount("Tree.obj"), 1);
}

}  // namespace
