#include "workbench/devices/StateWords.h"

#include <QTimer>
#include <QWidget>

StateWords::StateWords(QWidget* window, std::function<std::string()> words)
    : QObject(window), window_(window), words_(std::move(words)) {
    Update();
}

void StateWords::Changed() {
    if (queued_) {
        return;
    }
    queued_ = true;
    QTimer::singleShot(0, this, [this] { Update(); });
}

void StateWords::Update() {
    queued_ = false;
    // Setting a description raises the event that readers follow, even when it is the same:
    // only new words are set, or a lift standing still would be announced ten times a second.
    const QString words = QString::fromStdString(words_());
    if (words != window_->accessibleDescription()) {
        window_->setAccessibleDescription(words);
    }
}
