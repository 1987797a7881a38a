// The loadable module's own translation unit: everything else comes from the add-on library,
// linked whole. Only GetExportedFuncAddrs and SetImportedFuncAddrs are exported (exports.map).
