#include "entry/SessionWindowsPrompts.hpp"

#include "entry/PositionForm.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"

namespace potelan {

void SessionWindowsPrompts::Warn(const QString& text) {
  prompts_.Message(parent_, text, text::kWarningTitle, MessageIcon::Error);
}

void SessionWindowsPrompts::FileFailure(const QString& headline, const QString& path,
                                        const QString& cause) {
  TellFileFailure(prompts_, parent_, headline, path, cause);
}

bool SessionWindowsPrompts::ChoosePosition() {
  return PositionForm::Run(state_, prompts_, parent_);
}

}  // namespace potelan
