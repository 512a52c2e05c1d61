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
    // A new description raises the accessibility event that readers follow; the same one
    // raises none.
    window_->setAccessibleDescription(QString::fromStdString(words_()));
}
