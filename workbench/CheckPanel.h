#pragma once

#include <QWidget>
#include <vector>

#include "marking/CheckRun.h"

struct Exercise;
class QLabel;
class QPushButton;
class QTreeWidget;

// The Check tab: the exercise loaded, a Check button, one row per case as a student may see
// it (a hidden case says only whether it passed), the score, the selected case's reason and
// hint in full, and a button that runs a failed case in the window.
class CheckPanel : public QWidget {
    Q_OBJECT
  public:
    enum Column { NameColumn, ResultColumn, PointsColumn, ReasonColumn, HintColumn };

    explicit CheckPanel(QWidget* parent = nullptr);

    // A new exercise: its title, and a note on where the program to check comes from.
    void ShowExercise(const QString& title, const QString& note);
    void ShowResults(const Exercise& exercise, const std::vector<CaseOutcome>& outcomes);

    QLabel* Title = nullptr;
    QLabel* Note = nullptr;
    QPushButton* CheckButton = nullptr;
    QPushButton* RunCaseButton = nullptr;
    QTreeWidget* Cases = nullptr;
    QLabel* ScoreLabel = nullptr;
    QLabel* Details = nullptr; // the selected case's reason and hint, whole

  signals:
    void CheckRequested();
    // The index of a failed case that is not hidden.
    void RunCaseRequested(int index);

  private:
    // The case of the selected row when it may be run in the window, or -1.
    int RunnableCase() const;
};
