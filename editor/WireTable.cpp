#include "editor/WireTable.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

#include "editor/ChangeElementCommand.h"
#include "editor/DiscardingSurface.h"
#include "model/QuadrellDoc.h"
#include "model/Wire.h"
#include "nec/DeckSpace.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"

namespace {

enum WireColumn {
    kStartX,
    kStartY,
    kStartZ,
    kLength,
    kAngle,
    kEndX,
    kEndY,
    kRadius,
    kSegments,
    kWireColumns
};
enum SourceColumn { kCentreX, kCentreY, kMagnitude, kPhase, kSourceColumns };

constexpr double kAny = std::numeric_limits<double>::infinity();

// A float as short as it reads back: 3.4, 100, 0.005.
QString CellText(float value) { return QString::number(static_cast<double>(value), 'g', 7); }

QTableWidget* MakeTable(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void SetRow(QTableWidget* table, int row, const QList<float>& values,
            const QList<int>& readOnly = {}) {
    for (int column = 0; column < values.size(); ++column) {
        auto* item = new QTableWidgetItem(CellText(values[column]));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (readOnly.contains(column)) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, column, item);
    }
}

}  // namespace

CWireTable::CWireTable(CQuadrellDoc& document, QUndoStack& history, CPoint origin, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_document(document), m_history(history), m_origin(origin) {
    setWindowTitle(QStringLiteral("Wires"));
    m_wires = MakeTable(
        {QStringLiteral("Start X (m)"), QStringLiteral("Start Y (m)"),
         QStringLiteral("Start Z (m)"), QStringLiteral("Length (m)"), QStringLiteral("Angle (°)"),
         QStringLiteral("End X (m)"), QStringLiteral("End Y (m)"), QStringLiteral("Radius (m)"),
         QStringLiteral("Segments")},
        this);
    m_sources = MakeTable({QStringLiteral("Centre X (m)"), QStringLiteral("Centre Y (m)"),
                           QStringLiteral("Magnitude (V)"), QStringLiteral("Phase (°)")},
                          this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_wires, 3);
    layout->addWidget(new QLabel(QStringLiteral("Sources"), this));
    layout->addWidget(m_sources, 1);
    resize(720, 360);

    connect(m_wires, &QTableWidget::itemChanged, this, &CWireTable::OnWireEdited);
    connect(m_sources, &QTableWidget::itemChanged, this, &CWireTable::OnSourceEdited);
    // A click picks the element; the row a table starts on when it first
    // takes the focus does not.
    connect(m_wires, &QTableWidget::cellPressed, this,
            [this](int row) { Choose(m_wireRows, row); });
    connect(m_sources, &QTableWidget::cellPressed, this,
            [this](int row) { Choose(m_sourceRows, row); });
    m_document.AddObserver(this);
    Fill();
}

CWireTable::~CWireTable() { m_document.RemoveObserver(this); }

void CWireTable::Fill() {
    m_filling = true;
    m_wireRows.clear();
    m_sourceRows.clear();
    for (ElementPosition pos = m_document.GetFirstElementPosition(); pos;) {
        CElement* element = m_document.GetNextElement(pos);
        (element->GetType() == ELEMENT_WIRE ? m_wireRows : m_sourceRows).push_back(element);
    }
    // An upright design is drawn in X-Z: its second coordinate is the deck's
    // Z, and a wire's own height, which the deck does not use, is not shown.
    const GroundSettings& ground = m_document.GetGround();
    const bool upright = ground.plane == DrawingPlane::UPRIGHT;
    const QString across = upright ? QStringLiteral("Z") : QStringLiteral("Y");
    for (const auto& [table, column, text] :
         {std::tuple(m_wires, int{kStartY}, QStringLiteral("Start ")),
          std::tuple(m_wires, int{kEndY}, QStringLiteral("End ")),
          std::tuple(m_sources, int{kCentreY}, QStringLiteral("Centre "))}) {
        table->horizontalHeaderItem(column)->setText(text + across + QStringLiteral(" (m)"));
    }
    m_wires->setColumnHidden(kStartZ, upright);
    const auto place = [this, &ground, upright](float x, float y, float z) {
        const SpacePoint p = PlaceInSpace(ground, m_origin, x, y, z);
        return std::pair(p.x, upright ? p.z : p.y);
    };
    m_wires->setRowCount(static_cast<int>(m_wireRows.size()));
    for (int row = 0; row < m_wires->rowCount(); ++row) {
        const auto* wire = static_cast<const CWire*>(m_wireRows[row]);
        const auto [x1, y1] = place(wire->GetStartX(), wire->GetStartY(), 0);
        const auto [x2, y2] = place(wire->GetEndX(), wire->GetEndY(), 0);
        const float z = PlaceInSpace(ground, m_origin, 0, 0, wire->GetStartZ()).z;
        SetRow(m_wires, row,
               {x1, y1, upright ? 0.0f : z, wire->GetLength(), wire->GetAngle(), x2, y2,
                wire->GetRadius(), wire->GetSegments()},
               {kEndX, kEndY});
    }
    m_sources->setRowCount(static_cast<int>(m_sourceRows.size()));
    for (int row = 0; row < m_sources->rowCount(); ++row) {
        const CElement* source = m_sourceRows[row];
        const auto [x, y] = place(source->GetStartX(), source->GetStartY(), 0);
        SetRow(m_sources, row, {x, y, source->GetMagnitude(), source->GetPhase()});
    }
    m_filling = false;
}

void CWireTable::OnElementRemoved(const CElement* element) {
    // The element is about to go: its row must never reach it again.
    for (auto* rows : {&m_wireRows, &m_sourceRows}) {
        std::replace(rows->begin(), rows->end(), const_cast<CElement*>(element),
                     static_cast<CElement*>(nullptr));
    }
    FillLater();
}

void CWireTable::OnDocumentUpdated() { FillLater(); }

void CWireTable::FillLater() {
    if (m_fillPending) return;
    m_fillPending = true;
    QTimer::singleShot(0, this, [this] {
        m_fillPending = false;
        Fill();
    });
}

CElement* CWireTable::ReadEdit(const std::vector<CElement*>& rows, QTableWidgetItem* item,
                               double min, double max, float& value) {
    if (m_filling) return nullptr;
    CElement* element = rows.at(static_cast<std::size_t>(item->row()));
    if (element != nullptr) {
        const QString refusal = CheckDialogNumber(item->text(), min, max, value);
        if (refusal.isEmpty()) return element;
        ShowQuadrellMessage(this, refusal);
    }
    // The row shows the element as it is again, or goes with it.
    FillLater();
    return nullptr;
}

float CWireTable::Unlifted(float deckValue) const {
    return static_cast<float>(deckValue - m_document.GetGround().originHeight);
}

void CWireTable::MoveStart(CElement& element, bool alongX, float deckValue) {
    CDiscardingSurface surface;
    // Upright, the second coordinate is a height above the ground.
    if (!alongX && m_document.GetGround().plane == DrawingPlane::UPRIGHT)
        deckValue = Unlifted(deckValue);
    const float x = alongX ? deckValue + static_cast<float>(m_origin.x) : element.GetStartX();
    const float y = alongX ? element.GetStartY() : -deckValue + static_cast<float>(m_origin.y);
    element.MoveStartTo({x, y}, surface, false);
}

void CWireTable::Changed(CElement& element, const CElement::State& before) {
    PushElementChange(m_history, m_document, element, before, "Edit");
    // The element edited is the one the user works on: the view shows it
    // selected, with its new coordinates.
    emit elementChosen(&element);
}

void CWireTable::OnWireEdited(QTableWidgetItem* item) {
    const int column = item->column();
    const bool angle = column == kAngle;
    float value = 0;
    CElement* wire = ReadEdit(m_wireRows, item, angle ? 0 : -kAny, angle ? 360 : kAny, value);
    if (wire == nullptr) return;
    const CElement::State before = wire->GetState();

    if (column == kStartX || column == kStartY) {
        MoveStart(*wire, column == kStartX, value);
    } else if (column == kStartZ) {
        static_cast<CWire*>(wire)->SetHeight(Unlifted(value));
    } else {
        float length = wire->GetLength(), radius = wire->GetRadius();
        float segments = wire->GetSegments(), turn = wire->GetAngle();
        if (column == kLength) length = value;
        if (column == kAngle) turn = value;
        if (column == kRadius) radius = value;
        if (column == kSegments) segments = value;
        CDiscardingSurface surface;
        wire->SetProperties(surface, length, radius, segments, turn);
    }
    Changed(*wire, before);
}

void CWireTable::OnSourceEdited(QTableWidgetItem* item) {
    const int column = item->column();
    const bool phase = column == kPhase;
    float value = 0;
    CElement* source =
        ReadEdit(m_sourceRows, item, phase ? -180 : -kAny, phase ? 180 : kAny, value);
    if (source == nullptr) return;
    const CElement::State before = source->GetState();

    if (column == kCentreX || column == kCentreY) {
        MoveStart(*source, column == kCentreX, value);
    } else {
        float magnitude = source->GetMagnitude(), angle = source->GetPhase();
        (column == kMagnitude ? magnitude : angle) = value;
        CDiscardingSurface surface;
        source->SetProperties(surface, magnitude, angle, 0, 0);
    }
    Changed(*source, before);
}

void CWireTable::Choose(const std::vector<CElement*>& rows, int row) {
    if (m_filling || row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
    if (CElement* element = rows[static_cast<std::size_t>(row)]) emit elementChosen(element);
}
