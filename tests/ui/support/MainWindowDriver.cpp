#include "support/MainWindowDriver.h"

#include "support/GridTexts.h"

#include "ui/kit/RadioGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

MainWindowDriver::MainWindowDriver(const ConfigFolder& AFolder)
    : FWindow(std::make_unique<TfmConfigMain>(nullptr, AFolder.DataDir())) {
    FWindow->show();
    if (!QTest::qWaitForWindowExposed(FWindow.get()))
        throw std::runtime_error("the main window was not shown");
}

MainWindowDriver::~MainWindowDriver() = default;

void MainWindowDriver::Click(const QString& AButtonName) const {
    QTest::mouseClick(&Child<QAbstractButton>(AButtonName), Qt::LeftButton);
}

void MainWindowDriver::TypeInto(const QString& AEditName, const QString& ATyped) const {
    auto& edit = Child<QLineEdit>(AEditName);
    edit.setFocus();
    edit.selectAll();
    if (ATyped.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        QTest::keyClicks(&edit, ATyped);
}

void MainWindowDriver::PickRadioItem(const QString& AGroupName, int AIndex) const {
    QRadioButton* button = Child<TRadioGroup>(AGroupName).ItemButton(AIndex);
    if (button == nullptr)
        throw std::runtime_error("no such radio item");
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainWindowDriver::PickNextLogLevel() const {
    auto& levels = Child<QComboBox>(QStringLiteral("cbLogLevel"));
    levels.setFocus();
    QTest::keyClick(&levels, Qt::Key_Down);
}

QStringList MainWindowDriver::GridRows(const QString& AViewName) const {
    return RowTexts(*Child<QTableView>(AViewName).model());
}

QStringList MainWindowDriver::GridCaptions(const QString& AViewName) const {
    const QAbstractItemModel* model = Child<QTableView>(AViewName).model();
    QStringList captions;
    for (int column = 0; column < model->columnCount(); ++column)
        captions.append(model->headerData(column, Qt::Horizontal).toString());
    return captions;
}
