#pragma once
#include <functional>
#include <string>

// Whether the saver's frame buffer is multisampled. Hardware draws the four
// samples for little cost and keeps them. A software rasteriser computes
// every sample on the CPU and copies the resolved picture to the window
// each frame, which on screen costs more than the smoother edges are worth,
// so it runs without unless the user asks for them (HALVENRODE_MULTISAMPLE
// set to "on"; "off" drops them on hardware too).
enum class MultisampleRequest { Auto, On, Off };

// The request a HALVENRODE_MULTISAMPLE value makes: "on"/"1" or "off"/"0"
// (any case); anything else, or no value, leaves the choice to the renderer.
MultisampleRequest multisampleRequestFrom(const char* text);

// Mesa's software rasterisers name themselves in GL_RENDERER.
bool isSoftwareRenderer(const std::string& renderer);

// Whether to ask for a multisampled frame buffer. `renderer` gives the
// renderer's name (empty when unknown, taken for hardware); it is asked for
// only when the request leaves the choice to it.
bool wantsMultisampling(MultisampleRequest request, const std::function<std::string()>& renderer);
