// The proxy the user's internet settings name for plain http, read as the
// system's internet functions read it (the "preconfigured" settings: on
// Windows the user's own, under Wine also the http_proxy variable), so that
// a fetch over a plain socket goes the way those functions would have gone.
#pragma once

#include <string>

// "host:port" of the proxy for http to host; "" to go straight to it.
std::string SystemHttpProxyFor(const std::string& host);

// The choice from the settings' texts: proxies as "host:port" or as
// "scheme=host:port" entries, separated by ";" or blanks; bypass as host
// patterns with "*", separated the same way, where "<local>" stands for
// every name without a dot.
std::string ChooseHttpProxy(const std::string& proxies, const std::string& bypass, const std::string& host);
