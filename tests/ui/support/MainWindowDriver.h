#pragma once

// Opens the main window over a test's data folder and reaches its controls by their names, the
// way a user reaches them: through the window, never through its private parts.

#include "support/ConfigFolder.h"
#include "ui/ServiceConfigMain.h"

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

class QAbstractButton;

class MainWindowDriver {
public:
    // Creates the window over AFolder and shows it.
    explicit MainWindowDriver(const ConfigFolder& AFolder);
    ~MainWindowDriver();

    TfmConfigMain& Window() const { return *FWindow; }

    template <typename T> T& Child(const QString& AName) const {
        T* child = FWindow->findChild<T*>(AName);
        if (child == nullptr)
            throw std::runtime_error("no control named " + AName.toStdString());
        return *child;
    }

    void Click(const QString& AButtonName) const;
    // Replaces the text of the edit AName by typing ATyped into it.
    void TypeInto(const QString& AEditName, const QString& ATyped) const;
    // Picks the item AIndex of the radio group AName with the mouse.
    void PickRadioItem(const QString& AGroupName, int AIndex) const;
    // Picks the log level one below the current one with the keyboard.
    void PickNextLogLevel() const;

    // The texts of a grid's cells, row by row, columns separated by "|".
    QStringList GridRows(const QString& AViewName) const;
    QStringList GridCaptions(const QString& AViewName) const;

private:
    std::unique_ptr<TfmConfigMain> FWindow;
};
