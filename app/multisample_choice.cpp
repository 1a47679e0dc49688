#include "app/multisample_choice.h"

#include <strings.h>

#include <cstring>
#include <initializer_list>

MultisampleRequest multisampleRequestFrom(const char* text) {
  if (text == nullptr) return MultisampleRequest::Auto;
  if (strcasecmp(text, "on") == 0 || std::strcmp(text, "1") == 0) return MultisampleRequest::On;
  if (strcasecmp(text, "off") == 0 || std::strcmp(text, "0") == 0) return MultisampleRequest::Off;
  return MultisampleRequest::Auto;
}

bool isSoftwareRenderer(const std::string& renderer) {
  for (const char* name : {"llvmpipe", "softpipe", "swrast"}) {
    if (renderer.find(name) != std::string::npos) return true;
  }
  return false;
}

bool wantsMultisampling(MultisampleRequest request, const std::function<std::string()>& renderer) {
  switch (request) {
    case MultisampleRequest::On: return true;
    case MultisampleRequest::Off: return false;
    case MultisampleRequest::Auto: break;
  }
  return !isSoftwareRenderer(renderer());
}
