// Every dialog as a user sees it: each text whole in its control, and no
// control over another.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <memory>

#include "app/AboutDlg.h"
#include "editor/FrequencyProperties.h"
#include "editor/RadiationPatternProperties.h"
#include "editor/SnapControlDialog.h"
#include "editor/SourcePropertiesDialog.h"
#include "editor/WirePropertiesDialog.h"

namespace {

// What of `widget` does not fit, or empty.
QString Overflow(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const QRect inside = widget.contentsRect();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty()) return {};
        for (const QString& word : label->text().split(' ')) {
            if (metrics.horizontalAdvance(word) > inside.width()) return word;
        }
        const int needed =
            label->wordWrap() ? label->heightForWidth(inside.width()) : metrics.height();
        return needed > inside.height() ? label->text() : QString();
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(&widget))
        return radio->sizeHint().width() > radio->width() ? radio->text() : QString();
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return metrics.horizontalAdvance(button->text()) + 8 > button->width() ? button->text()
                                                                               : QString();
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return metrics.horizontalAdvance(field->text()) + 6 > inside.width() ? field->text()
                                                                             : QString();
    }
    return {};
}

TEST(DialogFit, EveryTextIsWholeAndNoControlCoversAnother) {
    const std::function<std::unique_ptr<QDialog>()> dialogs[] = {
        [] { return std::make_unique<CWirePropertiesDialog>(100, 0.005f, 5, 0); },
        [] { return std::make_unique<CSourcePropertiesDialog>(1, 0); },
        [] { return std::make_unique<CSnapControlDialog>(); },
        [] { return std::make_unique<CFrequencyProperties>(0, 14.25f, 0.05f); },
        [] {
            return std::make_unique<CRadiationPatternProperties>(0, 19, 37, 0, 0, 0, 0, 0, 0, 10,
                                                                 10);
        },
        [] { return std::make_unique<CAboutDlg>(); },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* control : controls) {
            EXPECT_EQ(Overflow(*control), QString()) << control->metaObject()->className();
            EXPECT_TRUE(dialog->rect().contains(control->geometry()));
            for (const QWidget* other : controls) {
                EXPECT_TRUE(control == other || !control->geometry().intersects(other->geometry()))
                    << control->objectName().toStdString() << " / "
                    << other->objectName().toStdString();
            }
        }
    }
}

}  // namespace
