#pragma once

#include "settings/inifile.h"

#include <QString>

// The update check's bookkeeping for this user: the file update.ini in
// <user config folder>/<company>/<product>, group [Settings]. Every value is stored as a string;
// an integer is written in decimal and reads as its default when it is missing or no number.
// Each write reads the file afresh and sets only its own value, so values written meanwhile by
// another run of the program are kept, and replaces the file in one step, so that it is never
// left half-written.
class UpdateStore
{
public:
    static QString fileFor(const QString &userConfigFolder, const QString &companyName,
                           const QString &productName);

    // Opens the store over a file, creating its folder when missing; a folder that cannot be
    // made raises AppError, and the store then reads every value as its default.
    void open(const QString &fileName);

    QString readString(const QString &name, const QString &defaultValue = {}) const;
    int readInteger(const QString &name, int defaultValue) const;

    // Writes one value (an integer as its decimal text); a failure raises AppError.
    void writeString(const QString &name, const QString &value);

private:
    IniFile m_file;
};
