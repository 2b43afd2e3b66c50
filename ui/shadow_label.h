#pragma once
// A label with a transparent background whose text carries a drop shadow: the text is drawn once in the
// shadow colour, offset down and right by the shadow depth, and once in its own colour on top. Lines
// break at carriage returns (and line feeds); a line too wide for the label is narrowed, not cut.

#include <QColor>
#include <QWidget>

namespace ui {

class ShadowLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ShadowLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    QColor shadowColour() const { return m_shadowColour; }
    void setShadowColour(const QColor& colour);
    int shadowDepth() const { return m_shadowDepth; }
    void setShadowDepth(int pixels);
    // A rounded band of this colour behind the text, so it reads over a busy picture; none when invalid.
    QColor band() const { return m_band; }
    void setBand(const QColor& colour);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // The lines as drawn.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_colour {Qt::black};
    QColor m_shadowColour {Qt::gray};
    int m_shadowDepth = 2;
    QColor m_band;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
};

} // namespace ui
