#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QWidget;

// Keeps a device window's accessible description the device's state in words, so that a
// screen reader can say what the picture shows. A change only asks for new words; they are
// made once the event loop comes round, so a program that writes a port at every step costs
// one comparison a turn, and an accessibility event goes out only when the words differ.
class StateWords : public QObject {
    Q_OBJECT
  public:
    StateWords(QWidget* window, std::function<std::string()> words);

    void Changed();

  private:
    void Update();

    QWidget* window_;
    std::function<std::string()> words_;
    bool queued_ = false;
};
