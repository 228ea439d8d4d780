object CustomersForm: TForm
  Caption = 'Customers'
  object Customers: TPgDataSet
    TableName = 'customers'
    DatabaseName = 'postgresql://clerk@db.example.org/shop'
    LoginPrompt = False
  end
end
