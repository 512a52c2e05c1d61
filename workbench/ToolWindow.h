#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QWidget>

// A small window owned by the main window: the RAM view, a device window or the keyboard
// input window. Being a tool window of the main window, the window manager keeps it above
// its owner (and only above its owner). It is shown without taking the keyboard focus, and
// closing it only hides it, so it keeps its state and place.
class ToolWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Frame { Fixed, Sizeable, NoButtons };

    ToolWindow(QWidget* owner, const QString& caption, QSize clientSize, Frame frame,
               const QColor& background);

    // The colour the window is filled with before anything is drawn on it.
    void SetBackground(const QColor& background);

    // The manual's section on this window, which F1 asks for while the window is active.
    void SetHelpTopic(const QString& topic) { helpTopic_ = topic; }

    // Whether a program is waiting for a key typed into this window.
    virtual bool WaitsForKey() const { return false; }

    // A click on a device is for the program: the keyboard goes back to the owner, or to the
    // window a program waits in for a key, so that the next typed key is taken.
    void GiveFocusBack() const;

    // The workbench's zoom factor, 1 at the actual size. The window has been resized and its
    // children placed for it already; what the window draws itself follows here.
    virtual void ApplyZoom(double factor) { zoom_ = factor; }
    double Zoom() const { return zoom_; }
    // The keyboard brought here on purpose, to work a device from it: the window keeps the
    // activation until it loses it, rather than handing it back to the owner.
    void TakeKeyboard();
    bool HoldsKeyboard() const { return holdsKeyboard_; }

  signals:
    void HelpRequested(const QString& topic);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QString helpTopic_;
    double zoom_ = 1.0;
    bool holdsKeyboard_ = false;
};
