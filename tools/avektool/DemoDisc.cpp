// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoDisc.h"

#include "CueImageWriter.h"
#include "DemoSentences.h"
#include "SpeechShapedNoise.h"
#include "SpeechSynthesizer.h"
#include "administration/ListTables.h"
#include "administration/PassageWriter.h"
#include "administration/SentenceMaterial.h"
#include "record/Conditions.h"
#include "record/IniFile.h"
#include "record/RegularFile.h"
#include "record/SafeFile.h"
#include "record/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cmath>
#include <map>

namespace DemoDisc {

namespace {

constexpr int Rate = 44100;
constexpr int PassagesPerCondition = 9;
constexpr double GapSeconds = 0.4;
// Speech levels as RMS re full scale; the L-Sens talker is 6 dB quieter.
constexpr double HighTalkerDb = -22;
constexpr double LowTalkerDb = -28;

double Amplitude(double db)
{
    return std::pow(10.0, db / 20);
}

bool IsLowTalker(int condition)
{
    return Conditions::TalkerOf(condition) == Conditions::TTalker::Low;
}

double Rms(const std::vector<float> &samples)
{
    double energy = 0;
    for (float s : samples)
        energy += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(energy / double(samples.size()));
}

TCdTime CdTime(int track, int seconds)
{
    return TCdTime{track, seconds / 60, seconds % 60};
}

// One condition's track: its passages' sentences one after another, each
// from a whole second, in noise at the condition's SNR.
class TConditionTrack
{
public:
    TConditionTrack(int condition, TSpeechSynthesizer &synthesizer)
        : m_condition(condition), m_synthesizer(synthesizer)
    {
    }

    TStatus Build(std::map<qint32, TPassageSentences> &passages)
    {
        const int track = m_condition + 2;
        const double speech = Amplitude(IsLowTalker(m_condition) ? LowTalkerDb : HighTalkerDb);
        int second = 1;
        for (int n = 1; n <= PassagesPerCondition; ++n) {
            TPassageSentences &sentences = passages[n * 10 + m_condition + 1];
            const int passage = m_condition * PassagesPerCondition + n - 1;
            for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
                sentences[size_t(j)] = DemoSentences::Sentence(passage, j);
                std::vector<float> voice = m_synthesizer.Speak(sentences[size_t(j)].Text, Voice());
                if (voice.empty())
                    return TStatus::Error(m_synthesizer.Error());
                const double gain = speech / Rms(voice);
                const size_t at = size_t(second) * Rate;
                m_samples.resize(std::max(m_samples.size(), at + voice.size()), 0.0f);
                for (size_t i = 0; i < voice.size(); ++i)
                    m_samples[at + i] += float(voice[i] * gain);
                sentences[size_t(j)].Start = CdTime(track, second);
                second += int(std::ceil(double(voice.size()) / Rate + GapSeconds));
                sentences[size_t(j)].End = CdTime(track, second);
            }
        }
        m_samples.resize(size_t(second + 1) * Rate, 0.0f);
        AddNoise(speech / Amplitude(Conditions::SnrOf(m_condition)));
        return TStatus::Ok();
    }

    const std::vector<float> &Samples() const { return m_samples; }

private:
    TSpeechSynthesizer::TVoice Voice() const
    {
        return IsLowTalker(m_condition) ? TSpeechSynthesizer::LowTalker : TSpeechSynthesizer::HighTalker;
    }

    void AddNoise(double level)
    {
        const std::vector<float> noise = TSpeechShapedNoise(quint64(m_condition) + 2).Generate(m_samples.size());
        for (size_t i = 0; i < m_samples.size(); ++i)
            m_samples[i] += float(noise[i] * level);
    }

    int m_condition;
    TSpeechSynthesizer &m_synthesizer;
    std::vector<float> m_samples;
};

TStatus WriteMaterial(const QString &folder, const std::map<qint32, TPassageSentences> &passages)
{
    QByteArray material;
    for (const auto &[id, sentences] : passages)
        material += EncodePassage(id, sentences);
    QString reason;
    if (!SafeFile::WriteAll(QDir(folder).filePath(TSentenceMaterial::FileName), material, reason))
        return TStatus::Error(reason);
    return TStatus::Ok();
}

TStatus WriteSettings(const QString &folder, const QString &sheetName)
{
    TIniFile ini;
    const QString path = QDir(folder).filePath(Settings::FileName);
    if (TStatus loaded = ini.Load(path); !loaded)
        return loaded;
    if (!ini.SetValue(QStringLiteral("CD"), QStringLiteral("Device"), sheetName))
        return TStatus::Error(QStringLiteral("%1 cannot name %2: the name holds a line break.").arg(path, sheetName));
    return ini.Save(path);
}

// Whether the material file holds the demonstration sentences and nothing
// else: what make-demo wrote there, whatever the settings beside it say.
bool IsDemoMaterial(const QString &path)
{
    TSentenceMaterial material;
    if (!material.LoadPassages(path))
        return false;
    QSet<QString> demo;
    for (int p = 0; p < DemoSentences::PassageCount; ++p) {
        for (int j = 0; j < DemoSentences::SentencesPerPassage; ++j)
            demo.insert(QString::fromLatin1(DemoSentences::Texts[size_t(p)][size_t(j)]));
    }
    for (int i = 0; i < TSentenceMaterial::PassageCount; ++i) {
        const std::optional<TPassageRecord> passage = material.PassageAt(i);
        if (!passage)
            return false;
        for (int j = 0; j < PassageLayout::SentenceCount; ++j) {
            if (!demo.contains(passage->Text(j)))
                return false;
        }
    }
    return true;
}

bool IsDemoSheet(const QString &path)
{
    QFile sheet(path);
    QString reason;
    return RegularFile::Open(sheet, 64 * 1024, reason) && sheet.read(TCueImageWriter::SheetMark.size()) == TCueImageWriter::SheetMark;
}

// A clinic's own material, settings or disc image: anything make-demo did
// not write itself. Its VEK.INI it changes only when that already names the
// demonstration image.
TStatus RefuseClinicFolder(const QString &folder)
{
    const QDir dir(folder);
    const QString material = dir.filePath(TSentenceMaterial::FileName);
    const QString settings = dir.filePath(Settings::FileName);
    const QString sheet = dir.filePath(ImageName + QStringLiteral(".cue"));
    const QString image = dir.filePath(ImageName + QStringLiteral(".bin"));
    TIniFile ini;
    const bool ours = (!QFileInfo::exists(material) || IsDemoMaterial(material))
                      && (!QFileInfo::exists(settings)
                          || (ini.Load(settings)
                              && ini.Value(QStringLiteral("CD"), QStringLiteral("Device"))
                                         .compare(ImageName + QStringLiteral(".cue"), Qt::CaseInsensitive)
                                     == 0))
                      && (QFileInfo::exists(sheet) ? IsDemoSheet(sheet) : !QFileInfo::exists(image));
    if (ours)
        return TStatus::Ok();
    return TStatus::Error(QStringLiteral("%1 holds a clinic's sentence material, settings or disc image (%2, %3 or "
                                         "%4.bin/.cue), which the demonstration set would replace; nothing was "
                                         "written. Give --force to replace them.")
                              .arg(QDir::toNativeSeparators(folder), TSentenceMaterial::FileName, Settings::FileName,
                                   ImageName));
}

} // namespace

TStatus Write(const QString &folder, bool force)
{
    if (!QDir().mkpath(folder))
        return TStatus::Error(QStringLiteral("The folder %1 cannot be made.").arg(folder));
    if (TStatus refused = RefuseClinicFolder(folder); !force && !refused)
        return refused;
    TSpeechSynthesizer synthesizer;
    if (!synthesizer.Error().isEmpty())
        return TStatus::Error(synthesizer.Error());
    TCueImageWriter image(folder, ImageName);
    if (TStatus opened = image.Open(); !opened)
        return opened;

    std::vector<float> calibration = TSpeechShapedNoise(1).Generate(size_t(CalibrationSeconds) * Rate);
    for (float &sample : calibration)
        sample = float(sample * Amplitude(HighTalkerDb));
    if (TStatus written = image.AppendTrack(calibration); !written)
        return written;

    // The one fixed order of synthesis: condition by condition, passage by passage.
    std::map<qint32, TPassageSentences> passages;
    for (int condition = 0; condition < ConditionCount; ++condition) {
        TConditionTrack track(condition, synthesizer);
        if (TStatus built = track.Build(passages); !built)
            return built;
        if (TStatus written = image.AppendTrack(track.Samples()); !written)
            return written;
    }
    if (TStatus finished = image.Finish(); !finished)
        return finished;
    if (TStatus written = WriteMaterial(folder, passages); !written)
        return written;
    return WriteSettings(folder, image.SheetName());
}

} // namespace DemoDisc
