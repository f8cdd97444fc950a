#pragma once
#include <QComboBox>
#include <QTableWidget>

#include "frame/FrameFixture.h"
#include "platform/StringGrid.h"
#include "service/GridGestures.h"

// The sample restaurant, with the gestures the service windows' tests repeat.
class ServiceTest : public FrameTest {
protected:
    using FrameTest::choose;
    // Picks an item by the arrow keys, as a person would.
    static void choose(QComboBox* box, const QString& text) {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        box->setFocus();
        while (box->currentIndex() != target)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
};
