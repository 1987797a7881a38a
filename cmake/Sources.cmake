# Sources added to the targets above, one line per file, grouped by folder.
target_sources (tessera_addon PRIVATE census/OGSString.cpp)
target_sources (tessera_addon PRIVATE census/RegionalSettings.cpp)
target_sources (tessera_addon PRIVATE census/RefreshData.cpp)
target_sources (tessera_addon PRIVATE census/RefreshData_Count.cpp)
target_sources (tessera_addon PRIVATE census/RefreshData_Change.cpp)
target_sources (tessera_addon PRIVATE store/DetParNames.cpp)
target_sources (tessera_addon PRIVATE census/ProgressBar.cpp)
