#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

// A raised 3-D panel. Child widgets are placed on it with setGeometry. Its
// caption is drawn centred (several lines when it holds "\n" or "\r\n"), and
// it doubles as a progress gauge: with floodPercent > 0 the left part of the
// inner area is filled in floodColor, the caption staying readable over it.
class ThreeDPanel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor floodColor READ floodColor WRITE setFloodColor)
    Q_PROPERTY(int floodPercent READ floodPercent WRITE setFloodPercent)

public:
    explicit ThreeDPanel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);

    // Until set, the palette's window colour.
    QColor backColor() const;
    void setBackColor(const QColor& color);

    QColor floodColor() const { return m_floodColor; }
    void setFloodColor(const QColor& color);

    // Stored as a whole number 0..100: halves round to even, the rest is clamped.
    int floodPercent() const { return m_floodPercent; }
    void setFloodPercent(double percent);

    // Off until set: the caption is drawn as it stands. On: "&&" is drawn as one "&" and a
    // single "&" underlines the letter after it, as button captions are drawn.
    bool showsMnemonics() const { return m_showsMnemonics; }
    void setShowsMnemonics(bool on);

    // Off until set. On: assistive technology sees the panel as a progress bar whose value
    // is floodPercent (it looks the same either way).
    bool isGauge() const { return m_gauge; }
    void setGauge(bool on) { m_gauge = on; }

    // The caption as one line to be read out: each line's runs of blanks made one, the lines
    // joined by ", ", mnemonics resolved as they are drawn.
    QString spokenCaption() const;

    // The area inside the edge, where the caption and the flood go.
    QRect innerRect() const;
    // The filled part of innerRect() (empty at 0 %).
    QRect floodRect() const;

    // The caption with "\r\n" and lone "\r" turned into "\n".
    static QString captionLines(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_foreColor = Qt::black;
    QColor m_backColor; // invalid: follow the palette
    QColor m_floodColor = QColor(0, 0, 128);
    int m_floodPercent = 0;
    bool m_showsMnemonics = false;
    bool m_gauge = false;
};
