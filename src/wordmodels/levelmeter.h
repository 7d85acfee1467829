#pragma once

#include <QWidget>

// The recording level as a bar from -60 to 0 dBFS: green where speech belongs, yellow when
// loud, red at the top, where a take is clipped. The bar falls back slowly, as a meter's does,
// so that short syllables stay readable.
class LevelMeter : public QWidget {
    Q_OBJECT
public:
    explicit LevelMeter(QWidget* parent = nullptr);

    void SetLevel(double dbfs);
    double Level() const { return m_shown; }
    QSize sizeHint() const override { return {240, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_shown = -120;
};
