#include "workbench/CheckPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "marking/Exercise.h"
#include "marking/Marks.h"
#include "workbench/Fonts.h"

namespace {

constexpr int RunnableRole = Qt::UserRole;
constexpr int MinimumReasonWidth = 200;

QString Points(int64_t got, int64_t most) {
    return QString::number(got) + " of " + QString::number(most);
}

QTreeWidgetItem* CaseItem(const ExerciseCase& exerciseCase, const CaseOutcome& outcome) {
    auto* item = new QTreeWidgetItem;
    item->setText(CheckPanel::NameColumn, QString::fromStdString(exerciseCase.Name));
    item->setText(CheckPanel::ResultColumn, outcome.Passed ? "passed" : "failed");
    item->setText(CheckPanel::PointsColumn,
                  Points(outcome.Passed ? exerciseCase.Points : 0, exerciseCase.Points));
    if (!outcome.Passed) {
        const QString reason = QString::fromStdString(ShownReason(exerciseCase, outcome, true));
        item->setText(CheckPanel::ReasonColumn, reason);
        item->setToolTip(CheckPanel::ReasonColumn, reason);
        item->setText(CheckPanel::HintColumn, QString::fromStdString(exerciseCase.Hint));
        item->setToolTip(CheckPanel::HintColumn, QString::fromStdString(exerciseCase.Hint));
        item->setForeground(CheckPanel::ResultColumn, Qt::red);
    }
    item->setData(CheckPanel::NameColumn, RunnableRole, !outcome.Passed && !exerciseCase.Hidden);
    return item;
}

// The selected case whole: its name, why it failed and the hint.
QString CaseDetails(const QTreeWidgetItem& item) {
    QString text = item.text(CheckPanel::NameColumn) + ": " + item.text(CheckPanel::ResultColumn);
    if (const QString reason = item.text(CheckPanel::ReasonColumn); !reason.isEmpty()) {
        text += ", " + reason;
    }
    if (const QString hint = item.text(CheckPanel::HintColumn); !hint.isEmpty()) {
        text += "\nHint: " + hint;
    }
    return text;
}

} // namespace

CheckPanel::CheckPanel(QWidget* parent) : QWidget(parent) {
    setFont(MsSansSerif(9));
    Title = new QLabel("No exercise loaded: File, Open Exercise loads one.");
    Title->setFont(MsSansSerif(10));
    Title->setWordWrap(true);
    Note = new QLabel;
    Note->setWordWrap(true);
    CheckButton = new QPushButton("Check");
    CheckButton->setToolTip("MARK THE PROGRAM IN THE EDITOR AGAINST THE EXERCISE");
    CheckButton->setEnabled(false);
    RunCaseButton = new QPushButton("Run Case in Window");
    RunCaseButton->setToolTip("RUN THE SELECTED FAILED CASE HERE, WITH ITS KEYS AND EVENTS");
    RunCaseButton->setEnabled(false);
    Cases = new QTreeWidget;
    Cases->setRootIsDecorated(false);
    Cases->setHeaderLabels({"Case", "Result", "Points", "Why it failed", "Hint"});
    Cases->header()->setStretchLastSection(true);
    ScoreLabel = new QLabel;
    Details = new QLabel;
    Details->setWordWrap(true);
    Details->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckButton);
    buttons->addWidget(RunCaseButton);
    buttons->addWidget(ScoreLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Title);
    layout->addWidget(Note);
    layout->addLayout(buttons);
    layout->addWidget(Cases, 1);
    layout->addWidget(Details);

    connect(CheckButton, &QPushButton::clicked, this, &CheckPanel::CheckRequested);
    connect(Cases, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        RunCaseButton->setEnabled(RunnableCase() >= 0);
        Details->setText(item ? CaseDetails(*item) : QString());
    });
    const auto runSelected = [this] {
        if (const int index = RunnableCase(); index >= 0) {
            emit RunCaseRequested(index);
        }
    };
    connect(RunCaseButton, &QPushButton::clicked, this, runSelected);
    connect(Cases, &QTreeWidget::itemDoubleClicked, this, runSelected);
}

void CheckPanel::ShowExercise(const QString& title, const QString& note) {
    Title->setText("Exercise: " + title);
    Note->setText(note);
    Cases->clear();
    ScoreLabel->clear();
    Details->clear();
    CheckButton->setEnabled(true);
}

void CheckPanel::ShowResults(const Exercise& exercise, const std::vector<CaseOutcome>& outcomes) {
    Cases->clear();
    Details->clear();
    for (size_t i = 0; i < outcomes.size(); ++i) {
        Cases->addTopLevelItem(CaseItem(exercise.Cases[i], outcomes[i]));
    }
    for (int column = NameColumn; column < ReasonColumn; ++column) {
        Cases->resizeColumnToContents(column);
    }
    // The reason and the hint share what is left; the selected case's show whole below.
    const int left = Cases->viewport()->width() - Cases->header()->sectionPosition(ReasonColumn);
    Cases->setColumnWidth(ReasonColumn, std::max(left * 3 / 5, MinimumReasonWidth));
    ScoreLabel->setText("Score: " + Points(Score(exercise, outcomes), MaxScore(exercise)));
}

int CheckPanel::RunnableCase() const {
    QTreeWidgetItem* item = Cases->currentItem();
    return item && item->data(NameColumn, RunnableRole).toBool() ? Cases->indexOfTopLevelItem(item)
                                                                 : -1;
}
