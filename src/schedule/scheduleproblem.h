// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <functional>

// Why a schedule, or the home's location, was refused: an English sentence
// marked for translation, with the values it names filled in when it is
// shown. A page of the web remote shows it in its own language.
class ScheduleProblem {
    Q_DECLARE_TR_FUNCTIONS(ScheduleProblem)

public:
    using Words = std::function<QString(const char *source)>;
    static QString appWords(const char *source) { return tr(source); }

    explicit ScheduleProblem(const char *source, QStringList arguments = {})
        : m_source(source), m_arguments(std::move(arguments))
    {
    }
    const char *source() const { return m_source; }
    QString text(const Words &words = appWords) const;

private:
    const char *m_source;
    QStringList m_arguments;
};
