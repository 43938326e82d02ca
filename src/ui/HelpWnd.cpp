#include "ui/HelpWnd.h"

#include "ui/CommandTable.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

struct HelpRow {
    QString place;
    QString name;
    QString keys;
};

QString KeysText(const CCommandDef& def)
{
    QStringList keys;
    for (const QKeySequence& key : def.keys)
        keys << key.toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral(", "));
}

void AddMenuRows(std::vector<HelpRow>& rows, QSet<int>& listed, const QString& place,
    const std::vector<CCommandTable::MenuItem>& items)
{
    for (const CCommandTable::MenuItem& item : items) {
        if (item.pszPopup) {
            AddMenuRows(rows, listed, place + QStringLiteral(" > ") + PlainLabel(QString::fromUtf8(item.pszPopup)),
                item.subItems);
            continue;
        }
        const CCommandDef* def = CCommandTable::Find(item.nID);
        if (!def)
            continue;
        rows.push_back({ place, PlainLabel(QString::fromUtf8(def->pszLabel)), KeysText(*def) });
        listed.insert(item.nID);
    }
}

std::vector<HelpRow> HelpRows()
{
    std::vector<HelpRow> rows;
    QSet<int> listed;
    for (const CCommandTable::MenuPopup& popup : CCommandTable::MenuLayout())
        AddMenuRows(rows, listed, PlainLabel(QString::fromUtf8(popup.pszTitle)), popup.items);
    // Buttons and keys without a menu item.
    for (const CCommandDef& def : CCommandTable::Defs())
        if (def.pszLabel && !listed.contains(def.nID))
            rows.push_back({ QString(), QString::fromUtf8(def.pszLabel), KeysText(def) });
    return rows;
}

} // namespace

CHelpWnd::CHelpWnd(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("orv ヘルプ"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("orvのコマンドとキーの一覧です。"), this));

    const std::vector<HelpRow> rows = HelpRows();
    m_pTable = new QTableWidget(static_cast<int>(rows.size()), 3, this);
    m_pTable->setHorizontalHeaderLabels({ QStringLiteral("メニュー"), QStringLiteral("コマンド"), QStringLiteral("キー") });
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pTable->setWordWrap(false);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const HelpRow& row = rows[static_cast<size_t>(i)];
        m_pTable->setItem(i, 0, new QTableWidgetItem(row.place));
        m_pTable->setItem(i, 1, new QTableWidgetItem(row.name));
        m_pTable->setItem(i, 2, new QTableWidgetItem(row.keys));
    }
    m_pTable->resizeColumnsToContents();
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_pTable);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(760, 560);
}
