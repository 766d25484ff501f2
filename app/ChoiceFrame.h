#pragma once

#include <QGroupBox>

namespace corvelle {

// A frame that stands for the picture inside it, for the keyboard: it takes the
// focus by Tab only (a click never focuses it, so a mouse user sees nothing new),
// draws a focus frame round its picture while it has the focus, and Enter or the
// space bar on it emit chosen(), as a click on the picture opens its path. A screen
// reader sees a button named after the caption, with a press action.
class ChoiceFrame : public QGroupBox {
    Q_OBJECT
public:
    ChoiceFrame(const QString &caption, QWidget *parent);

    // The picture the focus frame is drawn round (without one, round the whole frame);
    // the frame takes its accessible description, what choosing it opens.
    void setPicture(QWidget *picture);

    // What Enter, the space bar and the press action do.
    void choose() { Q_EMIT chosen(); }

Q_SIGNALS:
    void chosen();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *picture_ = nullptr;
    bool spaceDown_ = false;
};

} // namespace corvelle
