#pragma once

#include <QPlainTextEdit>

// A plain text pane whose paste is safe with an empty clipboard: Qt 6.4's own paste crashes
// when nothing was ever copied in the session, so the paste key and every other way in go
// through a guard that pastes only text that is really there.
class TextPane : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextPane(QWidget* parent = nullptr);

    // Inserts the clipboard's text at the cursor; nothing when the pane is read only or the
    // clipboard holds no text.
    void PasteClipboard();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
