#pragma once

#include <QString>
#include <optional>
#include <string_view>

class QLineEdit;
class QWidget;

// Numbers in dialog fields: general format with 6 significant digits
// (300 shows as "300", 0.005 as "0.005"); integers in plain decimal.
QString FormatDialogNumber(double value);
QString FormatDialogInteger(int value);

// A decimal number, blanks allowed around it; anything else, or a value too
// large for a float, is no number.
std::optional<float> ParseDialogNumber(std::string_view text);
// A decimal integer in the int range, blanks allowed around it.
std::optional<int> ParseDialogInteger(std::string_view text);

// The message a field gives `text` that is no number, or one outside min to
// max; an empty text, with `value` set, when the number is good. For tables
// that check cells as the dialogs check fields.
QString CheckDialogNumber(const QString& text, double min, double max, float& value);

// Reads dialog fields in data-exchange order when the user presses OK. The
// first field that fails shows the standard message, takes the focus and
// makes every later read a no-op, so the dialog can stay open:
//
//     CDataExchange dx(this);
//     dx.Number(m_lengthEdit, m_length);
//     dx.Number(m_angleEdit, m_angle);
//     dx.NumberRange(m_angleEdit, m_angle, 0, 360);
//     if (dx.Ok()) accept();
class CDataExchange {
  public:
    explicit CDataExchange(QWidget* dialog) : m_dialog(dialog) {}

    // "Please enter a number."
    void Number(QLineEdit* field, float& value);
    // "Please enter an integer."
    void Integer(QLineEdit* field, int& value);
    // "Please enter an integer between <min> and <max>."
    void IntegerRange(QLineEdit* field, int value, int min, int max);
    // "Please enter a number between <min> and <max>."
    void NumberRange(QLineEdit* field, double value, double min, double max);

    bool Ok() const { return m_ok; }

  private:
    void Fail(QLineEdit* field, const QString& message);

    QWidget* m_dialog;
    bool m_ok = true;
};
