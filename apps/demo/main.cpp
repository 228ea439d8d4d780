// valedit-demo: the customer order form in a window; painted to a picture file
// without a display (--screenshot); or driven by a script of user actions
// (--script), in a window when there is a display and headless when not.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "apps/demo/customerform.h"
#include "apps/demo/options.h"
#include "apps/demo/sampledb.h"
#include "apps/demo/script.h"
#include "vcl/sysutils.h"

namespace {

using namespace vcl;

int RunDemo(const Demo::TOptions& Options, int& Argc, char** Argv) {
  if (Options.SystemLocale)
    LoadSystemLocale();
  else
    ResetLocale();
  // A script plays against a real window when there is a display; a
  // screenshot is always painted headless, the same picture every time.
  Application->Initialize(Argc, Argv, !Options.Screenshot.empty());
  if (!Application->HasDisplay() && Options.Screenshot.empty() && Options.Script.empty()) {
    std::cerr << "valedit-demo: no display; use --screenshot PICTURE to paint the form\n";
    return 1;
  }
  std::vector<Demo::TScriptStep> Steps;
  if (!Options.Script.empty())
    Steps = Demo::LoadScript(Options.Script);

  auto* Form = new Demo::TCustomerForm(Application,
                                       Demo::FormTextFor(Demo::CustomerFormText, Options.Database));
  Form->OpenDatabase(Options.Database);
  Application->SetMainForm(Form);
  Form->Show();
  Form->Activate();
  int Result = 0;
  if (!Options.Script.empty()) {
    Demo::TScriptPlayer Player(Form, std::cout, [Form] { return Form->Status(); });
    Result = Player.Play(Steps) ? 0 : 1;
  }
  if (!Options.Screenshot.empty()) {
    // The headless picture has no screen to take a ratio from: a whole
    // QT_SCALE_FACTOR paints it as a screen of that ratio would show it.
    const char* Factor = std::getenv("QT_SCALE_FACTOR");
    const int Ratio = Factor ? std::max(std::atoi(Factor), 1) : 1;
    for (int I = 0; I < Screen->FormCount(); ++I)
      Screen->Forms(I)->SetPixelRatio(Ratio);
    Demo::PictureOfForms(Form).SaveToFile(Options.Screenshot);
    std::cout << "valedit-demo: the form is painted in " << Options.Screenshot << "\n";
  } else if (Options.Script.empty()) {
    Result = Application->Run();
  }
  // Closing the customer file folds its write-ahead log into it, so the
  // file alone holds every post once the demo has ended (a copy of it
  // misses nothing). An edit still pending was not posted, and is not now.
  Form->Customers->Cancel();
  Form->Customers->Close();
  return Result;
}

} // namespace

int main(int argc, char** argv) {
  try {
    const Demo::TOptions Options = Demo::ParseOptions({argv + 1, argv + argc});
    if (Options.Help) {
      std::cout << Demo::UsageText;
      return 0;
    }
    return RunDemo(Options, argc, argv);
  } catch (const Demo::EOptionError& E) {
    std::cerr << "valedit-demo: " << E.what() << "\n" << Demo::UsageText;
    return 2;
  } catch (const std::exception& E) {
    std::cerr << "valedit-demo: " << E.what() << "\n";
    return 1;
  }
}
