#include "dialog_world.h"

#include "support/records.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace quorvel::test {

DialogWorld::DialogWorld()
{
    folder.makeProgdata();
    FillStartupDefaults(session.info, folder.path());
    session.programFolder = folder.path();
}

StartupInfo DialogWorld::savedRecord() const
{
    return test::savedRecord(folder.path());
}

void typeInto(QWidget* box, const QString& text)
{
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace quorvel::test
