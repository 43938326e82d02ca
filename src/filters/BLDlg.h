#pragma once
// The filter list dialog: edits the black list or the first-use list from
// the filters installed for a chosen category. It works on a copy of the
// list, which the caller takes back when the user chose OK. Controls carry
// their ids as object names ("1028" …).

#include "filters/FilterNameList.h"

#include <QDialog>

class IMediaGraphFactory;
class QComboBox;
class QListWidget;
class QPushButton;

class CBLDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { BlackList, FirstUse };

    // Searches the program's filter registry.
    CBLDlg(const FilterNameList& list, Mode mode, QWidget* parent = nullptr);
    // Searches the registry of the given factory.
    CBLDlg(const FilterNameList& list, Mode mode, IMediaGraphFactory& factory, QWidget* parent = nullptr);

    // The list as edited so far.
    const FilterNameList& GetList() const { return m_list; }

private:
    void OnCategoryChosen(int nCategory);
    void OnRegister();
    void OnDelete();
    void OnClearAll();

    FilterNameList m_list;
    IMediaGraphFactory& m_factory;
    QListWidget* m_pRegistered = nullptr;
    QListWidget* m_pFilters = nullptr;
    QComboBox* m_pCategory = nullptr;
    QPushButton* m_pRegister = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pClearAll = nullptr;
};
