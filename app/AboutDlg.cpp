#include "app/AboutDlg.h"

#include <QLabel>

#include "app/ToolbarIcons.h"
#include "ui/DialogTemplate.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    CDialogTemplate layout(this, QStringLiteral("About Quadrell"), 217, 63);
    QLabel* icon = layout.AddLabel(QString(), QRect(11, 17, 20, 20), Qt::AlignLeft);
    const QRect iconRect = layout.ToPixels(QRect(11, 17, 20, 20));
    const int side = std::min(iconRect.width(), iconRect.height());
    icon->setPixmap(MakeApplicationIcon().pixmap(side, side));
    layout.AddLabel(QStringLiteral("Quadrell Version 1.0"), QRect(40, 20, 119, 8), Qt::AlignLeft);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(178, 7, 32, 14), true);
}
