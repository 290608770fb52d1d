// Element: the persistence convention. A new element takes its defaults; a load reads every
// key with the same default it is saved with, so a bag may leave out values equal to their
// defaults; wrong types convert or fall back and are logged by the reader, never thrown.

#include "framework/Element.h"
#include "framework/Guarded.h"

namespace bw {

void Element::InitProperties() {
    guarded(host_, tagFor("InitProperties"), [&] {
        currentPrinterHdc_ = defaultPrinterHdc();
        initOwnProperties();
    });
}

void Element::ReadProperties(const PropertyBag& bag) {
    const std::string tag = tagFor("ReadProperties");
    guarded(host_, tag, [&] {
        const PropertyReader in(bag, host_, tag);
        const ElementKeys& k = keys_;
        pLeft_ = in.readLong("PLeft", 0);
        pTop_ = in.readLong("PTop", 0);
        pWidth_ = in.readLong("PWidth", 0);
        pHeight_ = in.readLong("PHeight", 0);
        if (!k.orientation.empty())
            orientation_ = in.readInteger(k.orientation, orientations::Normal);
        if (!k.textColor.empty()) textColor_ = in.readLong(k.textColor, 0);
        if (!k.backColor.empty()) storeBackColor(in.readLong(k.backColor, 0xFFFFFF));
        if (!k.borderStyle.empty())
            borderStyle_ = in.readInteger(k.borderStyle, k.borderStyleDefault);
        if (!k.autoRefreshRead.empty())
            autoRefresh_ = in.readBool(k.autoRefreshRead, k.autoRefreshDefault);
        currentPrinterHdc_ = in.readLong("CurrentPrinterHdc", defaultPrinterHdc());
        if (!k.enabled.empty()) window_.setEnabled(in.readBool(k.enabled, true));
        if (!k.designmode.empty()) designmode_ = in.readBool(k.designmode, true);
        borderWidth_ = ElementFrame::normalBorderWidth;
        layoutStale_ = true;
        readOwnProperties(in);
    });
}

void Element::WriteProperties(PropertyBag& bag) const {
    guarded(host_, tagFor("WriteProperties"), [&] {
        const ElementKeys& k = keys_;
        bag.write("PLeft", pLeft_, std::int32_t{0});
        bag.write("PTop", pTop_, std::int32_t{0});
        bag.write("PWidth", pWidth_, std::int32_t{0});
        bag.write("PHeight", pHeight_, std::int32_t{0});
        if (!k.orientation.empty()) bag.write(k.orientation, orientation_, orientations::Normal);
        if (!k.textColor.empty()) bag.write(k.textColor, textColor_, std::int32_t{0});
        if (!k.backColor.empty()) bag.write(k.backColor, backColor_, std::int32_t{0xFFFFFF});
        if (!k.borderStyle.empty()) bag.write(k.borderStyle, borderStyle_, k.borderStyleDefault);
        if (!k.autoRefresh.empty()) bag.write(k.autoRefresh, autoRefresh_, k.autoRefreshDefault);
        bag.write("CurrentPrinterHdc", currentPrinterHdc_, defaultPrinterHdc());
        if (!k.enabled.empty()) bag.write(k.enabled, window_.enabled(), true);
        if (!k.designmode.empty()) bag.write(k.designmode, designmode_, true);
        writeOwnProperties(bag);
    });
}

} // namespace bw
