#include "captionroom.h"

#include "twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace {

// A button's or check box's caption as drawn, its access key's ampersand left out.
QSize textSize(const QAbstractButton *button)
{
    return button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
}

// What a button's style keeps round its caption at its present size.
QSize edges(const QAbstractButton *button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect inside = button->style()->subElementRect(contents, &option, button);
    return button->size() - inside.size();
}

} // namespace

Form::Need captionNeed(const QWidget *control, Form::Kind kind)
{
    QSize need;
    switch (kind) {
    case Form::Frame: {
        const auto *frame = static_cast<const QGroupBox *>(control);
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.textAlignment = frame->alignment();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, frame);
        need = QSize(0, caption.y() + caption.height());
        break;
    }
    case Form::Button: {
        const auto *button = static_cast<const QAbstractButton *>(control);
        need = textSize(button) + edges(button, QStyle::SE_PushButtonContents);
        break;
    }
    case Form::CheckBox: {
        const auto *box = static_cast<const QCheckBox *>(control);
        const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box);
        need = QSize(box->sizeHint().width(), std::max(textSize(box).height(), indicator));
        break;
    }
    case Form::Field:
        need = QSize(0, static_cast<const QLineEdit *>(control)->minimumSizeHint().height());
        break;
    }
    return {toTwips(need.width()), toTwips(need.height())};
}

QSize placeControls(QWidget *window, const Form::Control *controls, std::size_t count,
                    const Form::Window &spec)
{
    std::vector<QWidget *> widgets(count);
    std::vector<Form::Need> needs(count);
    for (std::size_t i = 0; i < count; ++i) {
        widgets[i] = window->findChild<QWidget *>(QLatin1String(controls[i].name));
        // Measured at the size the form gives it, the size edges are kept for.
        widgets[i]->resize(fromTwips(controls[i].place).size());
        needs[i] = captionNeed(widgets[i], controls[i].kind);
    }
    const Form::Layout layout = Form::fitCaptions(controls, count, spec, needs);
    for (std::size_t i = 0; i < count; ++i)
        widgets[i]->setGeometry(fromTwips(layout.places[i]));
    return QSize(fromTwips(layout.clientWidth), fromTwips(layout.clientHeight));
}
