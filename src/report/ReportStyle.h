#pragma once

namespace tarn {

// The report's style sheet, for the screen and for A4 landscape pages; the slot colours are
// told apart by lightness as well as hue.
inline constexpr char kReportStyle[] = R"css(
body{font:13px/1.35 "DejaVu Sans",Arial,sans-serif;color:#1a1a1a;margin:16px 24px}
h1{font-size:20px;margin:0 0 6px}h2{font-size:17px;margin:18px 0 6px}
h3{font-size:14px;margin:12px 0 4px;font-family:"DejaVu Sans Mono",monospace;white-space:pre}
dl.about{display:grid;grid-template-columns:max-content auto;gap:2px 12px;margin:0}
dl.about dt{font-weight:bold}dl.about dd{margin:0}
code,td,.mono{font-family:"DejaVu Sans Mono",monospace;white-space:pre-wrap}
table{border-collapse:collapse;margin:4px 0 10px}
th,td{border:1px solid #c8c8c8;padding:1px 6px;text-align:left;vertical-align:top;font-size:12px}
th{background:#eee}
td.f{color:#777}td.bad,.bad{color:#b3120b;font-weight:bold}
ul.findings{margin:4px 0;padding-left:20px}ul.findings li{margin:1px 0}
a{color:#1f4e9c}
figure{margin:0}figure svg{width:100%;height:auto;display:block}
svg.overview{max-height:calc(100vh - 120px)}
svg.plot{max-width:560px}
svg text{font:9px "DejaVu Sans Mono",monospace;fill:#222}
svg .rows text,svg .r{text-anchor:end}svg .m{text-anchor:middle}
svg .corner text{font:bold 11px "DejaVu Sans",sans-serif}
svg .groups path,svg .axes path{stroke:#bbb;stroke-width:1;fill:none}
.k0{fill:#5c5c5c}.k1{fill:#a6dba0}.k2{fill:#2b6cb0}.k3{fill:#e8341c}
svg .curve{stroke:#2b6cb0;stroke-width:2;fill:none}
svg .default{stroke:#888;stroke-width:1.5;stroke-dasharray:5 4;fill:none}
svg .nogain{stroke:#e8341c;stroke-width:2}
.legend{display:flex;flex-wrap:wrap;gap:4px 18px;margin-top:6px}
.legend svg{display:inline-block;width:12px;height:12px;vertical-align:-1px;margin-right:4px}
@page{size:A4 landscape;margin:10mm}
@media print{
body{margin:0;font-size:11px;print-color-adjust:exact;-webkit-print-color-adjust:exact}
section.overview-page{break-before:page;break-after:page}
svg.overview{max-height:170mm}
tr,svg,figure,h3{break-inside:avoid}h2,h3{break-after:avoid}
thead{display:table-header-group}
}
)css";

} // namespace tarn
