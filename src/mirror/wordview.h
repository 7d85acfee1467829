#pragma once

#include "sibilantanalysis.h"

#include <QImage>
#include <QWidget>
#include <span>

// A recorded word as a simple spectrogram (time across, frequency up to 11 kHz, loud dark), its
// frication segments marked over it in the colour of their place (s green, ś yellow, sz blue)
// with the sound's letter, and a caption.
class WordView : public QWidget {
    Q_OBJECT
public:
    explicit WordView(QString caption, QWidget* parent = nullptr);

    // samples mono 16-bit at sampleRate; empty clears the view.
    void ShowTake(std::span<const short> samples, int sampleRate, const ScaleEnds& ends);
    const std::vector<SibilantSegment>& Segments() const { return m_analysis.segments; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QImage m_picture;
    SibilantAnalysis m_analysis;
    double m_lengthMs = 0;
};
