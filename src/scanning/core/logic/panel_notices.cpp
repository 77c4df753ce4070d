#include "scanning/core/logic/panel_notices.h"

const char* const AdminWindowNotice = "Janela de administrador: o painel n\xE3o a alcan\xE7" "a";
// Names the privacy setting of the platform that closes the microphone to desktop programs.
const char* const DeafMicrophoneNotice =
    "Microfone desligado: ver Privacidade > Microfone > Permitir que aplicativos da "
    "\xE1rea de trabalho acessem o microfone";

std::string CaptionFor(const PanelNotices& notices, int64_t nowMs) {
  if (!notices.notice.empty() && nowMs < notices.noticeUntil) return notices.notice;
  if (!notices.baseIsTitle) return notices.base;
  if (notices.adminInFront) return AdminWindowNotice;
  if (notices.microphoneDeaf) return DeafMicrophoneNotice;
  return notices.base;
}

std::string NotFoundNotice(const std::string& target) {
  return "N\xE3o encontrado: " + target;
}
