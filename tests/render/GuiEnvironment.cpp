// Text drawing needs a Qt GUI application: one for the whole test program,
// on the offscreen platform.

#include <gtest/gtest.h>

#include <memory>

#include "render/CGuiSession.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_pSession = std::make_unique<CGuiSession>(); }
    void TearDown() override { m_pSession.reset(); }

private:
    std::unique_ptr<CGuiSession> m_pSession;
};

const ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
