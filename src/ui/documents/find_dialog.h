#pragma once

// The Find and Replace dialog of a document window: it stays open beside the text while the
// person searches, and each button acts on the window's editor at once.

#include "documents/document_editor.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quorvel::ui {

class FindDialog final : public QDialog
{
    Q_OBJECT
public:
    FindDialog(bool replacing, QWidget* parent);

    SearchRequest request() const;
    QString replacement() const;
    void setSearchText(const QString& text);

Q_SIGNALS:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void updateButtons();

    QLineEdit* m_find;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_matchCase;
    QCheckBox* m_up;
    QPushButton* m_findNext;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
};

} // namespace quorvel::ui
