// The About box shows the product line, the version generated from the project version, the
// legal and build lines, and closes with OK or Enter.

#include "help/about_box.h"
#include "support/modal.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(AboutBox, ShowsTheVersionLinesAndClosesWithOk)
{
    bool checked = false;
    onNextModal([&](QWidget* modal) {
        checked = true;
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("About Quorvel"));
        auto text = [&](const char* name) {
            auto* label = child<QLabel>(modal, name);
            return label ? label->text() : QStringLiteral("<missing>");
        };
        EXPECT_EQ(text("aboutProduct"), QStringLiteral("Tamblewick's Quorvel 32bit version"));
        EXPECT_EQ(text("aboutVersion"), QStringLiteral("Quorvel Version 2.0"));
        EXPECT_FALSE(text("aboutLegal").isEmpty());
        EXPECT_FALSE(text("aboutSpecialBuild").isEmpty());
        EXPECT_NE(child<QLabel>(modal, "aboutIcon"), nullptr);
        auto* ok = child<QPushButton>(modal, "aboutOk");
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(ok->isDefault());
        ok->click();
    });
    ui::runAboutBox(nullptr);
    EXPECT_TRUE(checked);
}

TEST(AboutBox, EnterClosesIt)
{
    bool closed = false;
    onNextModal([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Return);
        closed = !modal->isVisible();
    });
    ui::runAboutBox(nullptr);
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace quorvel::test
