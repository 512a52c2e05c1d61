#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <QStringView>

class Dialogs;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Where the search text next stands in the text, at or after from, comparing a to z as A to
// Z and every other character as it is; -1 when it does not, or when the search text is empty.
qsizetype FindForward(QStringView text, QStringView searchText, qsizetype from);

// A modeless dialog with a search text and Find Next; the replace dialog adds a replace text,
// Replace and Replace All. Escape and Cancel hide it.
class SearchDialog : public QDialog {
    Q_OBJECT
  public:
    SearchDialog(QWidget* owner, bool withReplace);

    QLineEdit* SearchText = nullptr;
    QLineEdit* ReplaceText = nullptr; // only in the replace dialog
    QPushButton* ButtonFindNext = nullptr;
    QPushButton* ButtonReplace = nullptr;    // only in the replace dialog
    QPushButton* ButtonReplaceAll = nullptr; // only in the replace dialog
    QPushButton* ButtonCancel = nullptr;

  signals:
    void Shown(bool visible);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

// Find and replace in the source editor: forward from the end of the selection, never
// wrapping to the top.
class FindReplace : public QObject {
    Q_OBJECT
  public:
    FindReplace(QPlainTextEdit& editor, Dialogs& dialogs, QWidget* owner);

    // "&Find" and "&Replace": the dialog comes up with the first line of the editor's
    // selection as its search text.
    void ShowFind();
    void ShowReplace();

    // What the dialogs' buttons do.
    void FindNext(const QString& searchText);
    void ReplaceOnce(const QString& searchText, const QString& replaceText);
    void ReplaceAll(const QString& searchText, const QString& replaceText);

    bool AnyVisible() const;

    SearchDialog* FindDialog1 = nullptr;
    SearchDialog* ReplaceDialog1 = nullptr;

  signals:
    // Either dialog was shown or hidden; the main window keeps the focus only while neither
    // is visible.
    void VisibilityChanged(bool anyVisible);

  private:
    void ShowDialog(SearchDialog* dialog);
    QWidget* BoxParent() const;

    QPlainTextEdit& editor_;
    Dialogs& dialogs_;
};
