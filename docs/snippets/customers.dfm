object CustomerForm: TCustomerForm
  Caption = 'Customers'
  object Customers: TSQLiteDataSet
    TableName = 'customers'
  end
  object CustomerSource: TDataSource
    DataSet = Customers
  end
  object CreditEdit: TDBValidEdit
    Left = 8
    Top = 8
    Width = 120
    Height = 21
    DataField = 'credit'
    DataSource = CustomerSource
    Kind = 4
    Validator.Max = 5000
    Validator.NoBounds = False
  end
end
