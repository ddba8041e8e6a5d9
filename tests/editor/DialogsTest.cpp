// The dialogs as a user meets them: each text whole in its control and no
// control over another, what each shows, what OK takes and refuses with which
// message, and what every way out keeps.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <memory>

#include "app/AboutDlg.h"
#include "editor/FrequencyProperties.h"
#include "editor/GroundHeightDialog.h"
#include "editor/RadiationPatternProperties.h"
#include "editor/SnapControlDialog.h"
#include "editor/SourcePropertiesDialog.h"
#include "editor/WirePropertiesDialog.h"
#include "tests/support/DialogDriver.h"

namespace {

enum Kind { kWire, kSource, kFrequency, kPattern, kSnap, kAbout, kGround };

// Each dialog with values other than the defaults (a wire from a deck may have
// a fractional segment count).
QDialog* Make(Kind kind) {
    if (kind == kWire) return new CWirePropertiesDialog(50.5f, 0.001f, 7.9f, 270.0f, nullptr);
    if (kind == kSource) return new CSourcePropertiesDialog(1.5f, -45.0f, nullptr);
    if (kind == kFrequency) return new CFrequencyProperties(4, 7.1f, 0.25f);
    if (kind == kPattern) {
        return new CRadiationPatternProperties(0, 19, 37, 0, 0, 0, 0, 0.0f, 0.0f, 10.0f, 10.0f);
    }
    if (kind == kAbout) return new CAboutDlg();
    if (kind == kGround) {
        auto* ground = new CGroundHeightDialog();
        ground->m_ground = {GroundKind::REAL, kCustomSoil, 7, 0.02, DrawingPlane::UPRIGHT, 10};
        return ground;
    }
    auto* snap = new CSnapControlDialog();
    snap->m_snapMode = SNAP_GRID;
    return snap;
}

// What of `widget` does not fit, or empty.
QString Overflow(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const QRect inside = widget.contentsRect();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty()) return {};
        for (const QString& word : label->text().split(' '))
            if (metrics.horizontalAdvance(word) > inside.width()) return word;
        const int needed =
            label->wordWrap() ? label->heightForWidth(inside.width()) : metrics.height();
        return needed > inside.height() ? label->text() : QString();
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(&widget))
        return radio->sizeHint().width() > radio->width() ? radio->text() : QString();
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return metrics.horizontalAdvance(button->text()) + 8 > button->width() ? button->text()
                                                                               : QString();
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget))
        return metrics.horizontalAdvance(field->text()) + 6 > inside.width() ? field->text()
                                                                             : QString();
    return {};
}

TEST(DialogFit, EveryTextIsWholeAndNoControlCoversAnother) {
    for (Kind kind : {kWire, kSource, kSnap, kFrequency, kPattern, kAbout, kGround}) {
        const std::unique_ptr<QDialog> dialog(Make(kind));
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

// Enter presses the focused button: Cancel reached with Tab cancels, OK accepts.
TEST(DialogKeys, EnterPressesTheFocusedButtonElseOk) {
    CModalCatcher catcher;
    for (Kind kind : {kWire, kSource, kSnap}) {
        for (const char* focus : {"IDCANCEL", "IDOK"}) {
            const std::unique_ptr<QDialog> dialog(Make(kind));
            SCOPED_TRACE(dialog->windowTitle().toStdString() + " " + focus);
            catcher.OnDialog([&dialog, focus](QWidget*) {
                while (QApplication::focusWidget() != Button(*dialog, focus))
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            EXPECT_EQ(dialog->exec(),
                      focus == std::string("IDOK") ? QDialog::Accepted : QDialog::Rejected);
        }
    }
}

// What a dialog holds, as it shows it when opened again: its fields' texts and
// its checked button, in the order they were made.
QString Held(QDialog& dialog) {
    CModalCatcher catcher;
    QStringList shown;
    Answer(catcher, {}, "IDCANCEL", &shown);
    dialog.exec();
    return shown.join(' ');
}

// The label a user reads a field by: the nearest one above it.
QString LabelAbove(QWidget& dialog, QWidget* field) {
    const QRect f = field->geometry();
    QLabel* nearest = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        const QRect l = label->geometry();
        if (l.bottom() > f.top() || l.right() < f.left() || l.left() > f.right()) continue;
        if (nearest == nullptr || l.bottom() > nearest->geometry().bottom()) nearest = label;
    }
    return nearest != nullptr ? nearest->text() : QString();
}

// The controls in Tab order from OK: fields as "id label=text", checked "*".
QStringList Controls(QWidget& dialog) {
    QStringList controls;
    QWidget* ok = Button(dialog, "IDOK");
    QWidget* widget = ok;
    do {
        const QString id = widget->objectName();
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            controls << id + " " + LabelAbove(dialog, field) + "=" + field->text();
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            controls << id + (radio->isChecked() ? "*" : "");
        } else if (qobject_cast<QPushButton*>(widget)) {
            controls << id;
        }
        widget = widget->nextInFocusChain();
    } while (widget != ok);
    return controls;
}

// Each dialog's title, then its controls as shown, in Tab order from OK.
const std::map<Kind, QStringList> kShown = {
    {kWire,
     {"Properties of Wire", "IDOK", "IDCANCEL", "1003 Length=50.5", "1005 Segments=7.9",
      "1004 Radius=0.001", "1006 Angle=270"}},
    {kSource, {"Source Properties", "IDOK", "IDCANCEL", "1008 Magnitude=1.5", "1007 Phase=-45"}},
    {kFrequency,
     {"Frequency Properties", "IDOK", "IDCANCEL", "1010 Initial Frequency in MHz=7.1",
      "1009 Number of Steps (0 means single Frequency)=4", "1011 Increment per Step (MHz)=0.25",
      "1012 Wavelength in Meters=42.2535", "1018"}},
    {kPattern,
     {"Far Field Pattern Properties", "IDOK", "IDCANCEL", "1011 Mode=0",
      "1012 Number of Theta Steps=19", "1015 Number of Phi Steps=37", "1013 Output Format=0",
      "1014 Normalization=0", "1016 Gain=0", "1017 Averaging=0", "1018 Initial Theta Value=0",
      "1019 Initial Phi Value=0", "1020 Theta Increment=10", "1021 Phi Increment=10"}},
    {kSnap, {"Snap Control", "IDOK", "IDCANCEL", "1017", "1018", "1019*", "1020"}},
    {kGround,
     {"Ground and Height", "IDOK", "IDCANCEL", "1030", "1031", "1032*",
      "1034 Relative permittivity=7", "1035 Conductivity (S/m)=0.02", "1036", "1037*",
      "1038 Height of the drawing's origin (m)=10"}},
};

const QString kNumber = "Please enter a number.";
const QString kInteger = "Please enter an integer.";

struct EntryCase {
    Kind kind;
    QString typed;       // "id:text|id:text", or an id to click
    QString message;     // the one message shown, if any
    int focus;           // the field a refusal sends the user back to
    QString state = {};  // what it holds after OK
};

// OK has the focus, for Enter. Fields are typed in order (Segments takes only
// digits), then Enter pressed in the last: a refusal shows one message, selects
// the first bad field in reading order and keeps every given value. Calculate
// reads the frequency fields as far as they are good and shows all again.
TEST(Dialogs, ShowTheirValuesAndTakeGoodEntriesOrRefuseTheFirstBadField) {
    const QString kAngle = "Please enter a number between 0 and 360.";
    const QString kPhase = "Please enter a number between -180 and 180.";
    const auto digit = [](int max) {
        return QStringLiteral("Please enter an integer between 0 and %1.").arg(max);
    };
    const QString everyPatternField =
        "1011:6|1012:0|1015:-4|1013:1|1014:5|1016:1|1017:2|1018:-90.5|1019:45.5|"
        "1020:-5.5|1021:0.25";
    const EntryCase cases[] = {
        {kWire, "1003:-2.5|1005:-1.5e+x209|1004:0.02|1006:45", {}, 0, "-2.5 15209 0.02 45"},
        {kWire, "1003: 2.5E2 |1006:360", {}, 0, "250 7.9 0.001 360"},
        {kWire, "1003:9|1004:0.5|1006:360.5", kAngle, 1006},
        {kWire, "1004:x|1005:", kNumber, 1004},  // radius before segments
        {kWire, "1004:1e-999|1003: +.5e1|1006:0", {}, 0, "5 7.9 0 0"},
        {kWire, "1003:1e39", kNumber, 1003},  // no float holds it
        {kSnap, "1020:", {}, 0, "1020"},
        {kSource, "1008:-3.5|1007:180", {}, 0, "-3.5 180"},
        {kSource, "1008:2|1007:181", kPhase, 1007},
        {kSource, "1007:y|1008:1..2", kNumber, 1008},
        {kFrequency, "1009:-3|1011:-0.5|1010:-14.25", {}, 0, "-14.25 -3 -0.5 42.2535"},
        {kFrequency, "1009: 3 |1011:0.05|1010:14.2|1018:", {}, 0, "14.2 3 0.05 21.1268"},
        {kFrequency, "1010:0|1018:", {}, 0, "0 4 0.25 "},  // none to show, none needed
        {kFrequency, "1009:x|1011:0.1|1010:14.2|1018:", kInteger, 0, "7.1 4 0.25 42.2535"},
        {kFrequency, "1009:3|1011:abc|1010:14.2|1018:", kNumber, 0, "7.1 3 0.25 42.2535"},
        {kFrequency, "1009:3|1011:0.1|1010:|1018:", kNumber, 0, "7.1 3 0.1 42.2535"},
        {kFrequency, "1009:99999999999", kInteger, 1009},
        {kFrequency, "1010:14.2 MHz|1011:0,05", kNumber, 1011},
        {kFrequency, "1010:y|1009:1.5", kInteger, 1009},
        {kPattern, everyPatternField, {}, 0, "6 0 -4 1 5 1 2 -90.5 45.5 -5.5 0.25"},
        {kPattern, "1016:2", digit(1), 1016},
        {kPattern, "1014:6", digit(5), 1014},
        {kPattern, "1013:2", digit(1), 1013},
        {kPattern, "1011:9|1012:x|1017:3", digit(2), 1017},
        {kPattern, "1012:x|1017:1|1011:7", digit(6), 1011},
        {kPattern, "1017:1|1011:3|1020:2.5|1012:x", kInteger, 1012},
        {kGround, "1034:0|1035:1", "The relative permittivity must be a number greater than 0.",
         1034},
        {kGround, "1034:0|1030:|IDOK", {}, 0, "1030 7 0.02 1037 10"},
        {kGround, "1033:2|1036:|1038:-2.5", {}, 0, "1032 13 0.005 1036 -2.5"},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const std::unique_ptr<QDialog> dialog(Make(c.kind));
        const QString given = Held(*dialog);
        CModalCatcher catcher;
        QString selected;  // the field a refusal selected whole
        catcher.OnDialog([&](QWidget*) {
            EXPECT_EQ(QStringList(dialog->windowTitle()) + Controls(*dialog), kShown.at(c.kind));
            EXPECT_EQ(dialog->focusWidget(), Button(*dialog, "IDOK"));
            QLineEdit* field = Type(*dialog, c.typed);
            QTest::keyClick(field ? field : dialog->focusWidget(), Qt::Key_Return);
            if (!dialog->isVisible()) return;
            auto* focus = qobject_cast<QLineEdit*>(dialog->focusWidget());
            if (focus && focus->selectedText() == focus->text()) selected = focus->objectName();
            Button(*dialog, "IDCANCEL")->click();
        });
        EXPECT_EQ(dialog->exec(), c.state.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(catcher.Messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(Held(*dialog), c.state.isEmpty() ? given : c.state);
        EXPECT_EQ(selected, c.state.isEmpty() ? QString::number(c.focus) : QString());
    }
}

}  // namespace
