// The read-aloud state the voice recognizer relies on: set while the engine speaks, cleared when the engine
// really ends, and cleared by the bound when the engine never says so.
#include "Speaker.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// An engine whose end reports the test controls; `reportsEnd` makes it report the end right after
// starting, queued as a real backend's report arrives.
class FakeEngine : public ISpeechEngine
{
public:
    explicit FakeEngine(bool reportsEnd) : m_reportsEnd(reportsEnd) {}
    bool isAvailable() const override { return true; }
    void say(const QString& text) override
    {
        said << text;
        m_speaking = true;
        emit stateChanged(true);
        if (m_reportsEnd)
            QTimer::singleShot(0, this, [this] { end(); });
    }
    void stop() override
    {
        m_speaking = false;
        ++stops;
    }
    bool isSpeaking() const override { return m_speaking; }
    void end()
    {
        m_speaking = false;
        emit stateChanged(false);
    }
    // A late report that an earlier utterance ended, arriving while the next one speaks.
    void staleEnd() { emit stateChanged(false); }

    QStringList said;
    int stops = 0;

private:
    bool m_reportsEnd;
    bool m_speaking = false;
};

} // namespace

TEST(Speaker, EstimatedTimeGrowsWithTheText)
{
    const QString chinese = QString(200, QChar(0x4E2D)); // 200 characters
    QStringList words;
    for (int i = 0; i < 100; ++i)
        words << QStringLiteral("word");
    const struct
    {
        QString text;
        int atLeastMs;
        int atMostMs;
    } cases[] = {
        {QString(), 0, 0},
        {QStringLiteral("   "), 0, 0},
        // Mandarin is spoken at about four to five characters a second.
        {chinese, 200 * 220, 200 * 450},
        // English at about 150 words a minute.
        {words.join(' '), 100 * 330, 100 * 600},
        {QStringLiteral("保存成功"), 4 * 220, 4 * 450 + 300},
    };
    for (const auto& c : cases) {
        const int ms = Speaker::estimatedSpeakingMs(c.text);
        EXPECT_GE(ms, c.atLeastMs) << c.text.size();
        EXPECT_LE(ms, c.atMostMs) << c.text.size();
    }
    // A long reading keeps the state far longer than a fixed few seconds.
    auto* engine = new FakeEngine(false);
    Speaker speaker(engine);
    speaker.speak(chinese);
    EXPECT_TRUE(speaker.isSpeaking());
    EXPECT_GE(speaker.currentBoundMs(), 200 * 220 + Speaker::kBoundMarginMs);
}

TEST(Speaker, ClearedWhenTheEngineReportsTheEnd)
{
    auto* engine = new FakeEngine(true);
    Speaker speaker(engine);
    QSignalSpy changes(&speaker, &ISpeaker::speakingChanged);
    speaker.speak(QStringLiteral("图像已保存"));
    ASSERT_TRUE(speaker.isSpeaking());
    ASSERT_EQ(changes.size(), 1);
    // Only the queued end report is processed here; the bound (seconds away) has not fired.
    QCoreApplication::processEvents();
    EXPECT_FALSE(speaker.isSpeaking());
    ASSERT_EQ(changes.size(), 2);
    EXPECT_FALSE(changes.at(1).at(0).toBool());
    EXPECT_EQ(engine->said, QStringList{QStringLiteral("图像已保存")});
}

TEST(Speaker, BoundClearsWhenTheEngineNeverReportsTheEnd)
{
    auto* engine = new FakeEngine(false);
    Speaker speaker(engine);
    QSignalSpy changes(&speaker, &ISpeaker::speakingChanged);
    speaker.speak(QStringLiteral("好"));
    ASSERT_TRUE(speaker.isSpeaking());
    const int bound = speaker.currentBoundMs();
    EXPECT_EQ(bound, Speaker::estimatedSpeakingMs(QStringLiteral("好")) + Speaker::kBoundMarginMs);
    // A stale end of nothing in particular while the engine still speaks is not believed.
    engine->staleEnd();
    EXPECT_TRUE(speaker.isSpeaking());
    ASSERT_TRUE(changes.wait(bound + 5000));
    EXPECT_FALSE(speaker.isSpeaking());
    EXPECT_EQ(changes.size(), 2);
}

TEST(Speaker, NewUtteranceStopsTheOldAndEmptyTextOnlyStops)
{
    auto* engine = new FakeEngine(false);
    Speaker speaker(engine);
    speaker.speak(QStringLiteral("first"));
    speaker.speak(QStringLiteral("second"));
    EXPECT_EQ(engine->stops, 1);
    EXPECT_TRUE(speaker.isSpeaking());
    // The end of "first" reported late, while "second" speaks, leaves the state set.
    engine->staleEnd();
    EXPECT_TRUE(speaker.isSpeaking());
    speaker.speak(QStringLiteral("  \n"));
    EXPECT_EQ(engine->stops, 2);
    EXPECT_FALSE(speaker.isSpeaking());
    EXPECT_EQ(engine->said, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}
