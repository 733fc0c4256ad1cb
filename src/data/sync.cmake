# pos_sync: the master-data download (lists and mirror files from the server,
# or from the files off line), the store's on-line reads, and the off-line
# queue with its upload. No Qt: the download window and the upload messages
# reach the cashier through the dialog service and a progress callback.
pos_add_library(pos_sync
  SOURCES
    Download.cpp
    MasterServer.cpp
    OffLineQueue.cpp
    Upload.cpp
  DEPENDS pos_core pos_data pos_server)
