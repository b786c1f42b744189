// Creation of the program's windows in their start order.
#include "app/app_windows.h"

namespace avz {

AppWindows::~AppWindows() {
    form12.reset();
    form11.reset();
    form10.reset();
    form9.reset();
    form8.reset();
    form7.reset();
    form6.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    form1.reset();
}

AppWindows createAppWindows(AppServices& services) {
    AppWindows w;
    w.form1 = std::make_unique<TForm1>(services);
    w.form1->FormCreate();
    const SettingsStore& store = services.settings;
    const int cw = w.form1->width();
    const int ch = w.form1->height();
    w.form3 = std::make_unique<TForm3>();
    w.form3->FormCreate(store, cw, ch);
    w.form4 = std::make_unique<TForm4>();
    w.form4->FormCreate(store, cw, ch);
    w.form5 = std::make_unique<TForm5>();
    w.form5->FormCreate(store, cw, ch);
    w.form6 = std::make_unique<TForm6>();
    w.form6->FormCreate(store, cw, ch);
    w.form7 = std::make_unique<TForm7>();
    w.form7->FormCreate(store, cw, ch);
    w.form8 = std::make_unique<TForm8>();
    w.form8->FormCreate(store, cw, ch);
    w.form9 = std::make_unique<TForm9>();
    w.form9->FormCreate(store, cw, ch);
    w.form10 = std::make_unique<TForm10>();
    w.form11 = std::make_unique<TForm11>();
    w.form12 = std::make_unique<TForm12>();
    w.form1->attachWindows(SecondaryWindows{w.form3.get(), w.form4.get(), w.form5.get(), w.form6.get(),
                                            w.form7.get(), w.form8.get(), w.form9.get(), w.form10.get(),
                                            w.form11.get(), w.form12.get()});
    w.form5->attachMain(w.form1.get());
    return w;
}

}  // namespace avz
