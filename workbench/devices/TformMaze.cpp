#include "workbench/devices/TformMaze.h"

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/MazePicture.h"

TformMaze::TformMaze(QWidget* owner, Maze& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::Maze).Caption,
                    QSize(Maze::PictureWidth, Maze::PictureHeight), QColor(Lime)),
      model_(model) {
    ShowPicture(MazePicture(model_));
    DescribeState([this] { return MazeWords(model_); });
    model_.OnChange = [this] {
        ShowPicture(MazePicture(model_));
        StateChanged();
    };
}
