#include "workbench/FindReplace.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "workbench/Dialogs.h"

namespace {

// Only a to z change case; accented letters and the rest stay as they are.
QChar UpperAscii(QChar c) {
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

QLineEdit* AddTextRow(QGridLayout* layout, int row, const QString& caption) {
    auto* label = new QLabel(caption);
    auto* text = new QLineEdit;
    label->setBuddy(text);
    layout->addWidget(label, row, 0);
    layout->addWidget(text, row, 1);
    return text;
}

QPushButton* AddButton(QVBoxLayout* layout, const QString& caption) {
    auto* button = new QPushButton(caption);
    layout->addWidget(button);
    return button;
}

// The search text is one line: the selection up to its first line break.
QString FirstLine(const QTextCursor& cursor) {
    return cursor.selectedText().section(QChar::ParagraphSeparator, 0, 0);
}

// Positions in the raw text are the editor's own: a line break counts one.
QString EditorText(const QPlainTextEdit& editor) {
    return editor.document()->toRawText();
}

void Select(QPlainTextEdit& editor, qsizetype start, qsizetype length) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

} // namespace

qsizetype FindForward(QStringView text, QStringView searchText, qsizetype from) {
    if (searchText.isEmpty() || from > text.size()) {
        return -1;
    }
    const auto found =
        std::search(text.begin() + from, text.end(), searchText.begin(), searchText.end(),
                    [](QChar a, QChar b) { return UpperAscii(a) == UpperAscii(b); });
    return found == text.end() ? -1 : found - text.begin();
}

SearchDialog::SearchDialog(QWidget* owner, bool withReplace) : QDialog(owner) {
    setWindowTitle(withReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SearchText = AddTextRow(layout, 0, QStringLiteral("Fi&nd what:"));
    auto* buttons = new QVBoxLayout;
    ButtonFindNext = AddButton(buttons, QStringLiteral("&Find Next"));
    ButtonFindNext->setDefault(true);
    if (withReplace) {
        ReplaceText = AddTextRow(layout, 1, QStringLiteral("Re&place with:"));
        ButtonReplace = AddButton(buttons, QStringLiteral("&Replace"));
        ButtonReplaceAll = AddButton(buttons, QStringLiteral("Replace &All"));
    }
    ButtonCancel = AddButton(buttons, QStringLiteral("Cancel"));
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, layout->rowCount() + 1, 1);
    layout->setRowStretch(layout->rowCount(), 1);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit Shown(true);
}

void SearchDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit Shown(false);
}

FindReplace::FindReplace(QPlainTextEdit& editor, Dialogs& dialogs, QWidget* owner)
    : QObject(owner), editor_(editor), dialogs_(dialogs) {
    FindDialog1 = new SearchDialog(owner, false);
    ReplaceDialog1 = new SearchDialog(owner, true);
    for (SearchDialog* dialog : {FindDialog1, ReplaceDialog1}) {
        connect(dialog->ButtonFindNext, &QPushButton::clicked, this,
                [this, dialog] { FindNext(dialog->SearchText->text()); });
        connect(dialog, &SearchDialog::Shown, this,
                [this] { emit VisibilityChanged(AnyVisible()); });
    }
    SearchDialog* replace = ReplaceDialog1;
    connect(replace->ButtonReplace, &QPushButton::clicked, this, [this, replace] {
        ReplaceOnce(replace->SearchText->text(), replace->ReplaceText->text());
    });
    connect(replace->ButtonReplaceAll, &QPushButton::clicked, this, [this, replace] {
        ReplaceAll(replace->SearchText->text(), replace->ReplaceText->text());
    });
}

void FindReplace::ShowFind() {
    ShowDialog(FindDialog1);
}

void FindReplace::ShowReplace() {
    ShowDialog(ReplaceDialog1);
}

bool FindReplace::AnyVisible() const {
    return FindDialog1->isVisible() || ReplaceDialog1->isVisible();
}

void FindReplace::ShowDialog(SearchDialog* dialog) {
    dialog->SearchText->setText(FirstLine(editor_.textCursor()));
    dialog->SearchText->selectAll();
    dialog->SearchText->setFocus();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void FindReplace::FindNext(const QString& searchText) {
    const qsizetype found =
        FindForward(EditorText(editor_), searchText, editor_.textCursor().selectionEnd());
    if (found < 0) {
        dialogs_.Message(BoxParent(), QStringLiteral("Could not find \"%1\".").arg(searchText),
                         QMessageBox::Critical);
        return;
    }
    Select(editor_, found, searchText.size());
}

// A running program's source is not edited under it.
void FindReplace::ReplaceOnce(const QString& searchText, const QString& replaceText) {
    if (editor_.isReadOnly()) {
        return;
    }
    QTextCursor cursor = editor_.textCursor();
    if (cursor.hasSelection()) {
        cursor.insertText(replaceText);
        editor_.setTextCursor(cursor);
    }
    FindNext(searchText);
}

// The selection is replaced first, whatever it holds, then every occurrence after it. Each
// search starts behind the last replacement, where the text is as it was, so the occurrences
// are found in one pass over the unchanged text; a replace text that holds the search text
// is never searched again.
void FindReplace::ReplaceAll(const QString& searchText, const QString& replaceText) {
    if (editor_.isReadOnly()) {
        return;
    }
    QTextCursor cursor = editor_.textCursor();
    std::vector<std::pair<qsizetype, qsizetype>> ranges; // start and length
    if (cursor.hasSelection()) {
        ranges.emplace_back(cursor.selectionStart(),
                            cursor.selectionEnd() - cursor.selectionStart());
    }
    const QString text = EditorText(editor_);
    for (qsizetype at = FindForward(text, searchText, cursor.selectionEnd()); at >= 0;
         at = FindForward(text, searchText, at + searchText.size())) {
        ranges.emplace_back(at, searchText.size());
    }
    // One undo step for all of them.
    cursor.beginEditBlock();
    qsizetype shift = 0;
    for (const auto& [start, length] : ranges) {
        cursor.setPosition(static_cast<int>(start + shift));
        cursor.setPosition(static_cast<int>(start + shift + length), QTextCursor::KeepAnchor);
        cursor.insertText(replaceText);
        shift += replaceText.size() - length;
    }
    cursor.endEditBlock();
    editor_.setTextCursor(cursor);
    dialogs_.Message(BoxParent(), QStringLiteral("Replaced %1 items.").arg(ranges.size()),
                     QMessageBox::Critical);
}

// A box belongs to the dialog whose button asked for it.
QWidget* FindReplace::BoxParent() const {
    QWidget* active = QApplication::activeWindow();
    return active == FindDialog1 || active == ReplaceDialog1 ? active : editor_.window();
}
