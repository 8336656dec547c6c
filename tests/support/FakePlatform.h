#pragma once

#include "app/Platform.h"

#include <deque>
#include <map>

#include <QStringList>

namespace tarn::test {

// Settings held in memory, keyed "application/section/key".
class FakeSettings final : public SettingsStore
{
public:
    QString value(const QString& application, const QString& section, const QString& key,
                  const QString& defaultValue) const override
    {
        const auto found = values.find(application + u'/' + section + u'/' + key);
        return found == values.end() ? defaultValue : found->second;
    }
    void setValue(const QString& application, const QString& section, const QString& key,
                  const QString& value) override
    {
        values[application + u'/' + section + u'/' + key] = value;
        ++writes;
    }
    QString& path() { return values[QStringLiteral("Kestrand Tarnconfig/settings/path")]; }

    std::map<QString, QString> values;
    int writes = 0;
};

// Answers folder questions from `next`, then with `answer`, and records what it was asked.
class FakeChooser final : public FolderChooser
{
public:
    QString chooseFolder(const QString& prompt, const QString& start) override
    {
        prompts.append(prompt);
        starts.append(start);
        if (next.empty())
            return answer;
        const QString first = next.front();
        next.pop_front();
        return first;
    }

    std::deque<QString> next;
    QString answer;
    QStringList prompts;
    QStringList starts;
};

// Records every message; questions take their answers from `answers` (No when empty).
class FakeMessages final : public MessageBoxes
{
public:
    void showOk(const QString& text) override { shown.append(text); }
    bool askYesNo(const QString& text) override { return askYesNoCancel(text) == Answer::Yes; }
    Answer askYesNoCancel(const QString& text) override
    {
        questions.append(text);
        if (answers.empty())
            return Answer::No;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Two-answer questions share the answers and the record of the Yes/No ones.
    bool askChoice(const QString& text, const QString&, const QString&) override
    {
        return askYesNo(text);
    }

    QStringList shown;
    QStringList questions;
    std::deque<Answer> answers;
};

} // namespace tarn::test
