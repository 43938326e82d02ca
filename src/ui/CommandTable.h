#pragma once
// The one command table: every command id with its menu label, accelerator
// keys, handler and enable/check rules. It builds the menu bar and the
// actions, and every dispatch (menu, key, button) passes through it, so a
// command never acts while its menu item would be grey.

#include "ui/CommandState.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <vector>

class CMainFrame;
class QAction;
class QMenu;
class QMenuBar;

using CommandHandler = void (CMainFrame::*)();

struct CCommandDef {
    int nID;
    // Menu label, '&' mnemonic and "\t" key text included; for a command
    // without a menu item, the name the help window lists it under (or null
    // when it is not listed).
    const char* pszLabel;
    QList<QKeySequence> keys;
    // Null: no handler; the item is grey and its keys do nothing.
    CommandHandler pHandler;
    // Null: always enabled.
    CommandRule pEnable;
    // Null: not a check item.
    CommandRule pCheck;
};

// A rule as the table gives it: no rule means enabled, or not checked.
bool RuleEnabled(const CCommandDef& def, const CCommandState& state);
bool RuleChecked(const CCommandDef& def, const CCommandState& state);

// The label without its mnemonic marks and key text ("50%(&5)\tCtrl+1" ->
// "50%(5)"), and the key text alone ("Ctrl+1"; empty when there is none).
QString PlainLabel(const QString& label);
QString LabelKeyText(const QString& label);

class CCommandTable : public QObject {
    Q_OBJECT
public:
    explicit CCommandTable(CMainFrame& frame);

    static const std::vector<CCommandDef>& Defs();
    // Null for an id that is not in the table.
    static const CCommandDef* Find(int nID);
    // The menu bar's popups, item ids in menu order (0 for a separator).
    struct MenuItem {
        int nID;
        // Sub-popup title when not null; its items follow in subItems.
        const char* pszPopup;
        std::vector<MenuItem> subItems;
    };
    struct MenuPopup {
        const char* pszTitle;
        std::vector<MenuItem> items;
    };
    static const std::vector<MenuPopup>& MenuLayout();

    // Fills the menu bar and puts every command's keys on the frame.
    void Build(QMenuBar& menuBar);
    // Carries out the command when it has a handler and its rule allows it.
    void Dispatch(int nID);
    // Has a handler and its rule allows it in the frame's present state.
    bool IsEnabled(int nID) const;
    // The same for a state already taken.
    static bool IsEnabled(int nID, const CCommandState& state);
    QAction* Action(int nID) const { return m_actions.value(nID); }
    // Greys and checks the items of a popup as the rules say (when it opens).
    void UpdatePopup(QMenu& menu);

private:
    QAction* MakeAction(const CCommandDef& def);
    void AddItems(QMenu& menu, const std::vector<MenuItem>& items);
    void RestorePopup(QMenu& menu);

    CMainFrame& m_frame;
    QHash<int, QAction*> m_actions;
};
