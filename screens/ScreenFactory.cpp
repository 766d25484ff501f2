#include "screens/ScreenFactory.h"

#include "screens/screen1.h"
#include "screens/screen2.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen6.h"
#include "screens/screen7.h"
#include "screens/screen8.h"
#include "screens/screen9.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "screens/screen12.h"
#include "screens/screen13.h"

namespace corvelle {

std::unique_ptr<WizardScreen> MakeScreen(ScreenId id, ScreenContext &context)
{
    switch (id) {
    case ScreenId::Screen1:
        return std::make_unique<screen1>(context);
    case ScreenId::Screen2:
        return std::make_unique<screen2>(context);
    case ScreenId::Screen3:
        return std::make_unique<screen3>(context);
    case ScreenId::Screen4:
        return std::make_unique<screen4>(context);
    case ScreenId::Screen5:
        return std::make_unique<screen5>(context);
    case ScreenId::Screen6:
        return std::make_unique<screen6>(context);
    case ScreenId::Screen7:
        return std::make_unique<screen7>(context);
    case ScreenId::Screen8:
        return std::make_unique<screen8>(context);
    case ScreenId::Screen9:
        return std::make_unique<screen9>(context);
    case ScreenId::Screen10:
        return std::make_unique<screen10>(context);
    case ScreenId::Screen11:
        return std::make_unique<screen11>(context);
    case ScreenId::Screen12:
        return std::make_unique<screen12>(context);
    case ScreenId::Screen13:
        return std::make_unique<screen13>(context);
    }
    return nullptr;
}

} // namespace corvelle
